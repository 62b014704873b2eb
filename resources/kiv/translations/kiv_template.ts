<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1">
<context>
    <name>kiv</name>
    <message>
        <source>&amp;Spiel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Neu</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nächster &amp;Spieler</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Beenden</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Einstellungen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Spieler festlegen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Spiel&amp;regeln und Einstellungen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sprache &amp;festlegen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Deckblatt wählen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Hintergrundfarbe wählen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Farbe des Spieltischs wählen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Rangliste</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rangliste &amp;anzeigen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rangliste &amp;löschen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Ansicht</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Symbolleiste</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>S&amp;tatusleiste</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Hilfe</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Bedienung und Spielregeln</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Kiv Kiv Hilfe</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Die Hilfeseiten konnten nicht gefunden werden.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Inf&amp;o über Kiv Kiv...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bube ausgelegt</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nächste zu legende Farbe</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Herz</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Karo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Kreuz</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Pik</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Deckblatt wählen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bitte wählen Sie eines der folgenden Deckblätter.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wählen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Info über Kiv Kiv</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Autor:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ein Kartenspiel für bis zu vier Spieler.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Viel Spaß beim Spielen!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Rangliste</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Der absolut beste Kiv-Spieler aller Zeiten ist:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Auch nicht schlecht spielt</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Und da war noch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Platz 4 wird belegt von</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Punkte:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Regeln und Einstellungen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Einstellungen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Punkte zum Sieg:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Karten pro Spieler:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Karten animieren</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zeit Rechnerzug:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Regeln</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Nach dem Ziehen einer Karte darf noch eine abgelegt werden</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Auf eine Acht darf man noch eine Acht legen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Einen Buben darf man immer legen (außer bei Sieben und Acht)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Auf einen Buben als erste Karte darf man alles legen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Runde beenden, wenn ein Spieler alle Karten abgelegt hat</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Abbrechen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Die Ergebnisse dieses Spiels</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Der Sieger dieses Spiels ist:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>mit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Punkten</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Die übrigen Spieler:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Platz2:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Platz3:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Platz4:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Punkte</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sound</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Geräusche abspielen (WAV)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Musik abspielen (MIDI)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Abzuspielende MIDI-Datei</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ohne Pfadangabe wird die Datei im Programmverzeichnis gesucht.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mitspieler festlegen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;1. Spieler</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;2. Spieler</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;3. Spieler</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;4. Spieler</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Spielt mit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Wird vom Rechner gesteuert</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sprache festlegen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Das Programm ist zur Zeit nur in deutscher Sprache erhältlich, eine Übersetzung ist in Vorbereitung.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Deutsch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Englisch</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Name:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Allein macht Kiv Kiv keinen Spaß: Bitte lassen Sie mindestens einen weiteren Spieler mitspielen.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Die Konfigurationsdatei konnte nicht gelesen werden. Es wird daher eine neue mit Standardwerten erstellt.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Die Konfigurationsdatei konnte nicht geschrieben werden.

Bitte prüfen Sie, ob der Datenträger beschreibbar ist.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bitte geben Sie als &apos;Punkte zum Sieg&apos; einen Wert zwischen 100 und 99999 ein.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sie können als Wert für &apos;Karten pro Spieler&apos; nur eine Zahl zwischen 3 und 6 eingeben.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sie können als Wert für &apos;Zeit Rechnerzug&apos; nur eine Zahl zwischen 200 und 9999 eingeben.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Karten werden ausgeteilt...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Karten werden eingesammelt...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bereit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sie dürfen keine soeben gezogene Karte gleich wieder ablegen.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bitte legen Sie eine Karte, deren Farbe oder Wert zu der Karte auf dem Stapel paßt.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Hey, Sie wollen doch nicht etwa schummeln? Ziehen Sie erst so viele Karten, wie notwendig...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Auf eine Sieben dürfen Sie nur eine Sieben legen.

Wenn Sie keine Sieben haben, müssen Sie wohl oder übel ziehen.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sie dürfen jetzt keine Karten ablegen, da eine Sieben auf dem Stapel liegt und Sie noch Karten ziehen müssen.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Auf eine Acht dürfen Sie nur eine Acht legen.

Wenn Sie keine Acht haben, müssen Sie aussetzen, indem Sie im Menü Spiel die Funktion Nächster Spieler anklicken.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Es wurde ein Bube abgelegt. Sie müssen jetzt entweder Herz oder einen Buben legen.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Es wurde ein Bube abgelegt. Sie müssen jetzt entweder Karo oder einen Buben legen.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Es wurde ein Bube abgelegt. Sie müssen jetzt entweder Kreuz oder einen Buben legen.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Es wurde ein Bube abgelegt. Sie müssen jetzt entweder Pik oder einen Buben legen.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Es sind alle Karten ausgelegt. Am besten starten Sie ein neues Spiel.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Warum wollen Sie denn mehr Karten ziehen als notwendig?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Es liegt eine Acht auf dem Stapel. Sie dürfen daher keine Karte ziehen, sondern müssen aussetzen, wenn Sie keine Acht haben.

Wählen Sie dazu im Menü Spiel die Funktion Nächster Spieler.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zu legen: Herz</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zu legen: Karo</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zu legen: Kreuz</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zu legen: Pik</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zu ziehen: </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Am Zug</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Es sieht so aus, als wäre diese Runde für </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>nicht gerade ein Erfolg gewesen. Na ja, die nächste wird&apos;s bestimmt...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Es konnte keine neue Rangliste erstellt werden (Schreibschutz ???)

Die Funktion wurde daher abgebrochen.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Die Rangliste konnte nicht gefunden werden, es wird daher eine neue erstellt.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sollen die Ergebnisse dieses Spiels in die Rangliste eingetragen werden?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Möchten Sie wirklich ein neues Spiel starten?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bitte ziehen Sie erst eine Karte.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Durch den Aufruf dieser Funktion wird ein neues Spiel gestartet.

Möchten Sie das?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Möchten Sie die Rangliste für die neu gewählten Spieler zurücksetzen?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Die Hintergrundmusik konnte nicht abgespielt werden. Wahrscheinlich haben Sie eine ungültige Mididatei angegeben.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Möchten Sie die Rangliste wirklich zurücksetzen?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Langsam</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mittel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Schnell</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(100-99999)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(3-6)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>(200-9999 ms)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Version</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Schließen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zurück</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Inhalt</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Es ist keine Karte mehr zu ziehen. Die Strafkarten verfallen, der nächste Spieler ist an der Reihe.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Spieler</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Datei wählen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mididatei (*.mid)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Wahl</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bitte seien Sie so nett und lassen Ihren Rechner fertig spielen, bevor Sie diese Funktion ausführen.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Geschwindigkeit der Karten</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Es wurde eine Acht als erste Karte aufgedeckt. Sie müssen daher leider aussetzen.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Vollbild</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Zeigt den Spieltisch auf dem ganzen Bildschirm oder wieder im Fenster</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Game</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Start new game</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Next player</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;About Kiv Kiv...</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>About Kiv Kiv</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Author:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Points:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Cancel</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>with</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>points</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>1. player</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>2. player</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>3. player</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>4. player</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select language</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>German</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>English</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Englisch: Die Konfigurationsdatei konnte nicht gelesen werden. Es wird daher eine neue mit Standardwerten erstellt.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ready</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Open file</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Browse</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Full Screen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shows the table on the whole screen or back in its window</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>

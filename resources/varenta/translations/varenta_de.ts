<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>varenta</name>
    <message>
        <source>Draw a card by clicking on the stock or the discard pile</source>
        <translation>Ziehen Sie eine Karte: Klicken Sie auf den Stapel oder den Ablagestapel</translation>
    </message>
    <message>
        <source>Meld a card by clicking it, discard a card by right-clicking it</source>
        <translation>Karte auslegen: Linksklick, Karte abwerfen: Rechtsklick</translation>
    </message>
    <message>
        <source>Meld by clicking a card, discard by right-clicking it twice</source>
        <translation>Karte auslegen: Linksklick, Karte abwerfen: zweimal Rechtsklick</translation>
    </message>
    <message>
        <source>Meld by clicking left, undo taking discard pile by clicking it</source>
        <translation>Auslegen mit Linksklick; ein Klick auf den Ablagestapel nimmt das Aufnehmen zurück</translation>
    </message>
    <message>
        <source>Draw a second card from the stock</source>
        <translation>Ziehen Sie eine zweite Karte vom Stapel</translation>
    </message>
    <message>
        <source>It&apos;s the turn of your opponent now.</source>
        <translation>Jetzt ist Ihr Gegner am Zug.</translation>
    </message>
    <message>
        <source>You cannot meld before drawing; please draw first by clicking on the stock or the discard pile</source>
        <translation>Vor dem Ziehen können Sie nicht auslegen; ziehen Sie zuerst eine Karte vom Stapel oder vom Ablagestapel</translation>
    </message>
    <message>
        <source>You cannot discard before drawing; please draw first by clicking on the stock or the discard pile</source>
        <translation>Vor dem Ziehen können Sie nicht abwerfen; ziehen Sie zuerst eine Karte vom Stapel oder vom Ablagestapel</translation>
    </message>
    <message>
        <source>You have already drawn</source>
        <translation>Sie haben schon gezogen</translation>
    </message>
    <message>
        <source>Discarding is not possible now: </source>
        <translation>Abwerfen ist jetzt nicht möglich: </translation>
    </message>
    <message>
        <source>Taking the discard pile is not possible now because you cannot meld the top card</source>
        <translation>Sie können den Ablagestapel jetzt nicht aufnehmen, weil Sie die oberste Karte nicht auslegen können</translation>
    </message>
    <message>
        <source>Black Threes can only be melded as the last cards when going out</source>
        <translation>Schwarze Dreien dürfen nur beim Ausmachen als letzte Karten ausgelegt werden</translation>
    </message>
    <message>
        <source>You need at least seven wildcards to create a wildcard Varenta</source>
        <translation>Für eine Varenta aus wilden Karten brauchen Sie mindestens sieben wilde Karten</translation>
    </message>
    <message>
        <source>You need more Varentas to go out</source>
        <translation>Zum Ausmachen brauchen Sie mehr Varentas</translation>
    </message>
    <message>
        <source>every column on the table must contain at least three cards</source>
        <translation>jede Reihe auf dem Tisch muss mindestens drei Karten haben</translation>
    </message>
    <message>
        <source>your first meld must be at least </source>
        <translation>Ihre erste Auslage muss mindestens </translation>
    </message>
    <message>
        <source> points (currently </source>
        <translation> Punkte zählen (bisher </translation>
    </message>
    <message>
        <source> points)</source>
        <translation> Punkte)</translation>
    </message>
    <message>
        <source>there are too many wildcards within one column</source>
        <translation>in einer Reihe liegen zu viele wilde Karten</translation>
    </message>
    <message>
        <source>the Black Threes have not been melded correctly</source>
        <translation>die schwarzen Dreien sind nicht richtig ausgelegt</translation>
    </message>
    <message>
        <source>wildcards must be melded as a varenta</source>
        <translation>wilde Karten müssen als Varenta ausgelegt werden</translation>
    </message>
    <message>
        <source>you have not melded the top card correctly</source>
        <translation>Sie haben die oberste Karte des Ablagestapels nicht richtig ausgelegt</translation>
    </message>
    <message>
        <source>you need more Varentas to go out</source>
        <translation>zum Ausmachen brauchen Sie mehr Varentas</translation>
    </message>
    <message>
        <source>|Adjust the rules of Varenta to your local variant</source>
        <translation>|Die Regeln von Varenta an Ihre Spielweise anpassen</translation>
    </message>
    <message>
        <source> Changing the rules is only possible when starting a new game</source>
        <translation> Die Regeln lassen sich nur zu Beginn eines neuen Spiels ändern</translation>
    </message>
    <message>
        <source>It&apos;s your turn to draw first.</source>
        <translation>Sie ziehen zuerst.</translation>
    </message>
    <message>
        <source>It&apos;s the computer&apos;s turn to draw first.</source>
        <translation>Der Computer zieht zuerst.</translation>
    </message>
    <message>
        <source>It&apos;s </source>
        <translation>Zuerst zieht </translation>
    </message>
    <message>
        <source>&apos;s turn to draw first.</source>
        <translation>.</translation>
    </message>
    <message>
        <source>You only have one card left, and not enough Varentas to go out.<byte value="xd"/> You have to pass the discard.</source>
        <translation>Sie haben nur noch eine Karte und nicht genug Varentas zum Ausmachen.<byte value="xd"/> Sie müssen auf das Abwerfen verzichten.</translation>
    </message>
    <message>
        <source> passes the discard.</source>
        <translation> verzichtet auf das Abwerfen.</translation>
    </message>
    <message>
        <source>The computer passes the discard.</source>
        <translation>Der Computer verzichtet auf das Abwerfen.</translation>
    </message>
    <message>
        <source>Meld error: Wildcard not found.</source>
        <translation>Fehler beim Auslegen: Die wilde Karte wurde nicht gefunden.</translation>
    </message>
    <message>
        <source>No card left to discard.</source>
        <translation>Keine Karte mehr zum Abwerfen.</translation>
    </message>
    <message>
        <source>An error occurred while undoing taking the discard pile. A new hand will be dealt.</source>
        <translation>Beim Zurücknehmen des Ablagestapels ist ein Fehler aufgetreten. Es wird neu gegeben.</translation>
    </message>
    <message>
        <source>Sorry, no cheating allowed...</source>
        <translation>Tut mir leid, Schummeln ist nicht erlaubt...</translation>
    </message>
    <message>
        <source>Error removing card from computer&apos;s hand</source>
        <translation>Fehler beim Entfernen einer Karte aus der Hand des Computers</translation>
    </message>
    <message>
        <source>Deal</source>
        <translation>Geben</translation>
    </message>
    <message>
        <source>Start</source>
        <translation>Start</translation>
    </message>
    <message>
        <source>Mixed Varenta</source>
        <translation>Gemischte Varenta</translation>
    </message>
    <message>
        <source>Natural Varenta</source>
        <translation>Natürliche Varenta</translation>
    </message>
    <message>
        <source>Take Huge Pile</source>
        <translation>Großen Stapel aufnehmen</translation>
    </message>
    <message>
        <source>Win Hand</source>
        <translation>Runde gewonnen</translation>
    </message>
    <message>
        <source>Lose Hand</source>
        <translation>Runde verloren</translation>
    </message>
    <message>
        <source>Win Match</source>
        <translation>Partie gewonnen</translation>
    </message>
    <message>
        <source>Lose Match</source>
        <translation>Partie verloren</translation>
    </message>
    <message>
        <source>Hand Finished</source>
        <translation>Runde beendet</translation>
    </message>
    <message>
        <source>Scoring Results</source>
        <translation>Wertung</translation>
    </message>
    <message>
        <source>&amp;Details &gt;&gt;</source>
        <translation>&amp;Einzelheiten &gt;&gt;</translation>
    </message>
    <message>
        <source>Detailed Scoring Results</source>
        <translation>Wertung im Einzelnen</translation>
    </message>
    <message>
        <source>Your Score:</source>
        <translation>Ihre Punkte:</translation>
    </message>
    <message>
        <source>Computer&apos;s Score:</source>
        <translation>Punkte des Computers:</translation>
    </message>
    <message>
        <source>&apos;s Score:</source>
        <translation> – Punkte:</translation>
    </message>
    <message>
        <source>Difference:</source>
        <translation>Unterschied:</translation>
    </message>
    <message>
        <source>Cards on the Table</source>
        <translation>Karten auf dem Tisch</translation>
    </message>
    <message>
        <source>Cards in Hand</source>
        <translation>Karten auf der Hand</translation>
    </message>
    <message>
        <source>Varentas</source>
        <translation>Varentas</translation>
    </message>
    <message>
        <source>Red Threes</source>
        <translation>Rote Dreien</translation>
    </message>
    <message>
        <source>Finish Bonus</source>
        <translation>Bonus fürs Ausmachen</translation>
    </message>
    <message>
        <source>TOTAL</source>
        <translation>SUMME</translation>
    </message>
    <message>
        <source>Player</source>
        <translation>Spieler</translation>
    </message>
    <message>
        <source>Computer</source>
        <translation>Computer</translation>
    </message>
    <message>
        <source>Game Over</source>
        <translation>Spielende</translation>
    </message>
    <message>
        <source>the computer</source>
        <translation>Computer</translation>
    </message>
    <message>
        <source>&apos;s score:</source>
        <translation> – Punkte:</translation>
    </message>
    <message>
        <source>Do you want to play another game?</source>
        <translation>Möchten Sie noch ein Spiel spielen?</translation>
    </message>
    <message>
        <source>Congratulations </source>
        <translation>Herzlichen Glückwunsch, </translation>
    </message>
    <message>
        <source>You crushed </source>
        <translation>Haushoher Sieg gegen </translation>
    </message>
    <message>
        <source>You defeated </source>
        <translation>Klarer Sieg gegen </translation>
    </message>
    <message>
        <source>You beat </source>
        <translation>Sieg gegen </translation>
    </message>
    <message>
        <source>You won, but it was pretty close!</source>
        <translation>Sie haben gewonnen, aber es war knapp!</translation>
    </message>
    <message>
        <source>You won.</source>
        <translation>Sie haben gewonnen.</translation>
    </message>
    <message>
        <source>It&apos;s a draw!</source>
        <translation>Unentschieden!</translation>
    </message>
    <message>
        <source>Too bad, </source>
        <translation>Schade, </translation>
    </message>
    <message>
        <source> crushed you.</source>
        <translation> hat Sie haushoch geschlagen.</translation>
    </message>
    <message>
        <source> defeated you.</source>
        <translation> hat Sie klar geschlagen.</translation>
    </message>
    <message>
        <source> beat you.</source>
        <translation> hat Sie geschlagen.</translation>
    </message>
    <message>
        <source>you lost but it was pretty close.</source>
        <translation>Sie haben verloren, aber es war knapp.</translation>
    </message>
    <message>
        <source>you lost.</source>
        <translation>Sie haben verloren.</translation>
    </message>
    <message>
        <source> : this file is not a Varenta saved game</source>
        <translation> : Diese Datei ist kein gespeichertes Varenta-Spiel</translation>
    </message>
    <message>
        <source>A game cannot be saved while taking the discard pile</source>
        <translation>Während der Ablagestapel aufgenommen wird, kann das Spiel nicht gespeichert werden</translation>
    </message>
    <message>
        <source>This game cannot be saved now because your meld is incorrect</source>
        <translation>Das Spiel kann jetzt nicht gespeichert werden, weil Ihre Auslage nicht regelgerecht ist</translation>
    </message>
    <message>
        <source>The game was not kept for the next start because your meld is incorrect.</source>
        <translation>Das Spiel wurde nicht für den nächsten Start aufbewahrt, weil Ihre Auslage nicht regelgerecht ist.</translation>
    </message>
    <message>
        <source>A saved game cannot be loaded while a network game is running</source>
        <translation>Während eines Netzwerkspiels kann kein gespeichertes Spiel geladen werden</translation>
    </message>
    <message>
        <source>Save Varenta Game</source>
        <translation>Varenta-Spiel speichern</translation>
    </message>
    <message>
        <source>Load Varenta Game</source>
        <translation>Varenta-Spiel laden</translation>
    </message>
    <message>
        <source>Varenta Games (*.var);;All Files (*)</source>
        <translation>Varenta-Spiele (*.var);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>The saved game %1 could not be read: %2.</source>
        <translation>Das gespeicherte Spiel %1 konnte nicht gelesen werden: %2.</translation>
    </message>
    <message>
        <source>The saved game %1 cannot be loaded: %2.</source>
        <translation>Das gespeicherte Spiel %1 kann nicht geladen werden: %2.</translation>
    </message>
    <message>
        <source>The game could not be saved to %1: %2.</source>
        <translation>Das Spiel konnte nicht unter %1 gespeichert werden: %2.</translation>
    </message>
    <message>
        <source>it is far larger than any saved game</source>
        <translation>sie ist viel größer als jedes gespeicherte Spiel</translation>
    </message>
    <message>
        <source>The settings file %1 was not written: %2.</source>
        <translation>Die Einstellungsdatei %1 wurde nicht geschrieben: %2.</translation>
    </message>
    <message>
        <source>Reg Error: </source>
        <translation>Fehler in den Einstellungen: </translation>
    </message>
    <message>
        <source>Invalid variant type</source>
        <translation>Ungültiger Werttyp</translation>
    </message>
    <message>
        <source>The settings file %1 could not be read (%2). It has been kept as %3, and the settings it held start from their defaults.</source>
        <translation>Die Einstellungsdatei %1 konnte nicht gelesen werden (%2). Sie wurde als %3 aufbewahrt; ihre Einstellungen beginnen wieder mit den Vorgaben.</translation>
    </message>
    <message>
        <source>The settings file %1 could not be read (%2) and could not be moved aside (%3). The settings it held start from their defaults, and no setting will be saved until the file is repaired or removed.</source>
        <translation>Die Einstellungsdatei %1 konnte nicht gelesen (%2) und nicht beiseitegelegt werden (%3). Ihre Einstellungen beginnen mit den Vorgaben, und bis die Datei repariert oder entfernt ist, wird keine Einstellung gespeichert.</translation>
    </message>
    <message>
        <source>Part of the settings file %1 could not be read (%2). The original has been kept as %3. Every setting that could be read is kept; the others start from their defaults.</source>
        <translation>Ein Teil der Einstellungsdatei %1 konnte nicht gelesen werden (%2). Das Original wurde als %3 aufbewahrt. Jede lesbare Einstellung bleibt erhalten, die übrigen beginnen mit den Vorgaben.</translation>
    </message>
    <message>
        <source>Part of the settings file %1 could not be read (%2), and the file could not be moved aside (%3). Every setting that could be read is used and the others start from their defaults, but no setting will be saved until the file is repaired or removed.</source>
        <translation>Ein Teil der Einstellungsdatei %1 konnte nicht gelesen werden (%2), und die Datei konnte nicht beiseitegelegt werden (%3). Jede lesbare Einstellung wird verwendet, die übrigen beginnen mit den Vorgaben, aber bis die Datei repariert oder entfernt ist, wird keine Einstellung gespeichert.</translation>
    </message>
    <message>
        <source>The settings file %1 could not be reached (%2). The defaults are used.</source>
        <translation>Die Einstellungsdatei %1 ist nicht erreichbar (%2). Es gelten die Vorgaben.</translation>
    </message>
    <message>
        <source>Another copy of Varenta is changing the settings file %1. Waiting for it to finish...</source>
        <translation>Ein anderes Varenta ändert gerade die Einstellungsdatei %1. Warten, bis es fertig ist...</translation>
    </message>
    <message>
        <source>line %1 is not a setting</source>
        <translation>Zeile %1 ist keine Einstellung</translation>
    </message>
    <message>
        <source>Please enter a name for the player.</source>
        <translation>Bitte geben Sie einen Namen für den Spieler ein.</translation>
    </message>
    <message>
        <source>A player&apos;s name cannot contain a comma, because the win ratio is stored after it.</source>
        <translation>Ein Spielername darf kein Komma enthalten, weil die Gewinnquote dahinter gespeichert wird.</translation>
    </message>
    <message>
        <source>A player&apos;s name cannot contain tabs, line breaks or other control characters.</source>
        <translation>Ein Spielername darf keine Tabulatoren, Zeilenumbrüche oder anderen Steuerzeichen enthalten.</translation>
    </message>
    <message>
        <source>A player&apos;s name can be at most %1 characters long.</source>
        <translation>Ein Spielername darf höchstens %1 Zeichen lang sein.</translation>
    </message>
    <message>
        <source>There is already a player named &quot;%1&quot;.</source>
        <translation>Es gibt schon einen Spieler namens „%1“.</translation>
    </message>
    <message>
        <source>Rules</source>
        <translation>Spielregeln</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Allgemein</translation>
    </message>
    <message>
        <source>Discard Pile</source>
        <translation>Ablagestapel</translation>
    </message>
    <message>
        <source>&amp;Discard Pile options</source>
        <translation>Optionen für den &amp;Ablagestapel</translation>
    </message>
    <message>
        <source>&amp;Red Three options</source>
        <translation>Optionen für &amp;rote Dreien</translation>
    </message>
    <message>
        <source>&amp;Varenta(s) required for positive score</source>
        <translation>&amp;Varenta(s) nötig für positive Wertung</translation>
    </message>
    <message>
        <source>At least one Varenta required for positive score</source>
        <translation>Mindestens eine Varenta für positive Wertung nötig</translation>
    </message>
    <message>
        <source>At least two Varentas required for positive score</source>
        <translation>Mindestens zwei Varentas für positive Wertung nötig</translation>
    </message>
    <message>
        <source>&amp;Number of Varentas needed to go out</source>
        <translation>&amp;Anzahl Varentas zum Ausmachen</translation>
    </message>
    <message>
        <source>&amp;One</source>
        <translation>&amp;Eine</translation>
    </message>
    <message>
        <source>&amp;Two</source>
        <translation>&amp;Zwei</translation>
    </message>
    <message>
        <source>Number of &amp;Cards drawn each turn</source>
        <translation>&amp;Karten pro Zug ziehen</translation>
    </message>
    <message>
        <source>On&amp;e</source>
        <translation>E&amp;ine</translation>
    </message>
    <message>
        <source>T&amp;wo</source>
        <translation>Z&amp;wei</translation>
    </message>
    <message>
        <source>&amp;Add top card to Varenta</source>
        <translation>Oberste Karte an Varenta &amp;anlegen</translation>
    </message>
    <message>
        <source>&amp;Top card counts for initial meld</source>
        <translation>Oberste Karte zählt zur &amp;Erstauslage</translation>
    </message>
    <message>
        <source>&amp;Initially frozen</source>
        <translation>&amp;Anfangs eingefroren</translation>
    </message>
    <message>
        <source>&amp;Separately frozen for each player</source>
        <translation>Für jeden Spieler &amp;getrennt eingefroren</translation>
    </message>
    <message>
        <source>&amp;Natural pair required</source>
        <translation>&amp;Natürliches Paar nötig</translation>
    </message>
    <message>
        <source>&amp;Draw extra card</source>
        <translation>&amp;Zusätzliche Karte ziehen</translation>
    </message>
    <message>
        <source>&amp;Freeze discard pile</source>
        <translation>Ablagestapel ein&amp;frieren</translation>
    </message>
    <message>
        <source>Varenta &amp;bonus counts for initial meld</source>
        <translation>Varenta-&amp;Bonus zählt zur Erstauslage</translation>
    </message>
    <message>
        <source>Re&amp;use discard pile when stock is empty</source>
        <translation>Ablagestapel &amp;wiederverwenden, wenn der Stapel leer ist</translation>
    </message>
    <message>
        <source>The rules cannot be changed now, because a game is in progress. Press OK and then F2 to start a new game. The current game will be aborted.</source>
        <translation>Die Regeln können jetzt nicht geändert werden, weil ein Spiel läuft. Drücken Sie OK und dann F2, um ein neues Spiel zu beginnen. Das laufende Spiel wird dann abgebrochen.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Rule Differences</source>
        <translation>Regelunterschiede</translation>
    </message>
    <message>
        <source>The following differences in rules exists between you and your opponent. Please resolve these before starting to play by changing them in the Options | Rules dialog.</source>
        <translation>Zwischen Ihnen und Ihrem Gegner gibt es folgende Regelunterschiede. Bitte gleichen Sie sie vor dem Spiel im Dialog Optionen | Spielregeln an.</translation>
    </message>
    <message>
        <source>Rule</source>
        <translation>Regel</translation>
    </message>
    <message>
        <source>Your Setting</source>
        <translation>Ihre Einstellung</translation>
    </message>
    <message>
        <source>Opponent&apos;s Setting</source>
        <translation>Einstellung des Gegners</translation>
    </message>
    <message>
        <source>Hide</source>
        <translation>Ausblenden</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Ja</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Nein</translation>
    </message>
    <message>
        <source>One</source>
        <translation>Eine</translation>
    </message>
    <message>
        <source>Two</source>
        <translation>Zwei</translation>
    </message>
    <message>
        <source>Varenta Required for Positive Score</source>
        <translation>Varenta nötig für positive Wertung</translation>
    </message>
    <message>
        <source>Number of Varentas required to go out</source>
        <translation>Anzahl Varentas zum Ausmachen</translation>
    </message>
    <message>
        <source>Number of Cards drawn each turn</source>
        <translation>Gezogene Karten pro Zug</translation>
    </message>
    <message>
        <source>Add top card from pile to Varenta</source>
        <translation>Oberste Karte des Ablagestapels an Varenta anlegen</translation>
    </message>
    <message>
        <source>Top card of pile counts for initial meld</source>
        <translation>Oberste Karte des Ablagestapels zählt zur Erstauslage</translation>
    </message>
    <message>
        <source>Pile initially frozen</source>
        <translation>Ablagestapel anfangs eingefroren</translation>
    </message>
    <message>
        <source>Natural pair required for taking pile</source>
        <translation>Natürliches Paar zum Aufnehmen des Ablagestapels nötig</translation>
    </message>
    <message>
        <source>Draw extra card for Red Three</source>
        <translation>Zusätzliche Karte für rote Drei ziehen</translation>
    </message>
    <message>
        <source>Discarding Red Three freezes pile</source>
        <translation>Abgeworfene rote Drei friert den Ablagestapel ein</translation>
    </message>
    <message>
        <source>Varenta Bonus counts for initial meld</source>
        <translation>Varenta-Bonus zählt zur Erstauslage</translation>
    </message>
    <message>
        <source>Initial Freeze for both players</source>
        <translation>Anfängliches Einfrieren für beide Spieler</translation>
    </message>
    <message>
        <source>Reuse discard pile when deck is empty</source>
        <translation>Ablagestapel wiederverwenden, wenn der Stapel leer ist</translation>
    </message>
    <message>
        <source>&amp;Network</source>
        <translation>&amp;Netzwerk</translation>
    </message>
    <message>
        <source>&amp;Connect to Opponent...</source>
        <translation>Mit Gegner &amp;verbinden...</translation>
    </message>
    <message>
        <source>|Connect to another person over a network</source>
        <translation>|Über ein Netzwerk mit einem anderen Spieler verbinden</translation>
    </message>
    <message>
        <source>&amp;Setup...</source>
        <translation>&amp;Einrichten...</translation>
    </message>
    <message>
        <source>|Set information needed for email connections</source>
        <translation>|Angaben für Verbindungen per E-Mail festlegen</translation>
    </message>
    <message>
        <source>&amp;Rule Differences...</source>
        <translation>&amp;Regelunterschiede...</translation>
    </message>
    <message>
        <source>|Shows the differences in rule settings between you and your opponent, if there are any</source>
        <translation>|Zeigt die Unterschiede zwischen Ihren Regeln und denen Ihres Gegners, falls es welche gibt</translation>
    </message>
    <message>
        <source>&amp;Compare Tables</source>
        <translation>Tische ver&amp;gleichen</translation>
    </message>
    <message>
        <source>|Check that your table and your opponent&apos;s still hold the same game</source>
        <translation>|Prüfen, ob Ihr Tisch und der Ihres Gegners noch dasselbe Spiel zeigen</translation>
    </message>
    <message>
        <source>A new game cannot be started while a network game is running. The next hand is dealt when this one ends; choose Network | Disconnect to play a new game against the computer.</source>
        <translation>Während eines Netzwerkspiels kann kein neues Spiel begonnen werden. Die nächste Runde wird gegeben, wenn diese zu Ende ist; wählen Sie Netzwerk | Trennen, um ein neues Spiel gegen den Computer zu spielen.</translation>
    </message>
    <message>
        <source>&amp;Disconnect</source>
        <translation>&amp;Trennen</translation>
    </message>
    <message>
        <source>Cancel network connection</source>
        <translation>Netzwerkverbindung trennen</translation>
    </message>
    <message>
        <source>&amp;Hide Chat Window</source>
        <translation>&amp;Chatfenster ausblenden</translation>
    </message>
    <message>
        <source>|Hide the chat window during a network game</source>
        <translation>|Das Chatfenster während eines Netzwerkspiels ausblenden</translation>
    </message>
    <message>
        <source>&amp;Show Chat Window</source>
        <translation>&amp;Chatfenster einblenden</translation>
    </message>
    <message>
        <source>|Shows the chat window during a network game</source>
        <translation>|Blendet das Chatfenster während eines Netzwerkspiels ein</translation>
    </message>
    <message>
        <source>|Hides the chat window during a network game</source>
        <translation>|Blendet das Chatfenster während eines Netzwerkspiels aus</translation>
    </message>
    <message>
        <source>Varenta could not resolve the partner name.</source>
        <translation>Varenta konnte den Namen des Partners nicht auflösen.</translation>
    </message>
    <message>
        <source>Varenta did not detect an IP address. Do you want to connect to another instance of Varenta on your computer?</source>
        <translation>Varenta hat keine IP-Adresse gefunden. Möchten Sie sich mit einem anderen Varenta auf Ihrem Computer verbinden?</translation>
    </message>
    <message>
        <source>Varenta did not detect an IP address. Please connect to the network first.</source>
        <translation>Varenta hat keine IP-Adresse gefunden. Bitte verbinden Sie sich zuerst mit dem Netzwerk.</translation>
    </message>
    <message>
        <source>Please enter all information in the Network|Setup screen before connecting.</source>
        <translation>Bitte füllen Sie vor dem Verbinden alle Angaben unter Netzwerk|Einrichten aus.</translation>
    </message>
    <message>
        <source>Sending message to partner...</source>
        <translation>Nachricht an den Partner wird gesendet...</translation>
    </message>
    <message>
        <source>Waiting for %1 to come back...</source>
        <translation>Warten, bis %1 zurückkommt...</translation>
    </message>
    <message>
        <source>This copy of Varenta cannot exchange addresses by e-mail. Please choose &quot;IP Number&quot;.</source>
        <translation>Dieses Varenta kann keine Adressen per E-Mail austauschen. Bitte wählen Sie „IP-Nummer“.</translation>
    </message>
    <message>
        <source>Connect to Opponent</source>
        <translation>Mit Gegner verbinden</translation>
    </message>
    <message>
        <source>Your nickname</source>
        <translation>Ihr Spitzname</translation>
    </message>
    <message>
        <source>Play over</source>
        <translation>Spielen über</translation>
    </message>
    <message>
        <source>LAN</source>
        <translation>LAN</translation>
    </message>
    <message>
        <source>Internet</source>
        <translation>Internet</translation>
    </message>
    <message>
        <source>Connection method</source>
        <translation>Verbindungsart</translation>
    </message>
    <message>
        <source>Email</source>
        <translation>E-Mail</translation>
    </message>
    <message>
        <source>IP Number</source>
        <translation>IP-Nummer</translation>
    </message>
    <message>
        <source>IP number of your opponent</source>
        <translation>IP-Nummer Ihres Gegners</translation>
    </message>
    <message>
        <source>Email address of your opponent</source>
        <translation>E-Mail-Adresse Ihres Gegners</translation>
    </message>
    <message>
        <source>Internet Identification Server</source>
        <translation>Identifikationsserver im Internet</translation>
    </message>
    <message>
        <source>STUN server (host:port)</source>
        <translation>STUN-Server (Host:Port)</translation>
    </message>
    <message>
        <source>Identification server (when STUN fails)</source>
        <translation>Identifikationsserver (wenn STUN versagt)</translation>
    </message>
    <message>
        <source>Your router reports the public address %1.</source>
        <translation>Ihr Router meldet die öffentliche Adresse %1.</translation>
    </message>
    <message>
        <source>Your router reports the public address %1, but the Internet sees %2: a second router (NAT) lies in between, and a partner outside may not reach you.</source>
        <translation>Ihr Router meldet die öffentliche Adresse %1, das Internet sieht aber %2: Dazwischen liegt ein zweiter Router (NAT), und ein Partner von außen erreicht Sie womöglich nicht.</translation>
    </message>
    <message>
        <source>Your own IP Address(es)</source>
        <translation>Ihre eigene(n) IP-Adresse(n)</translation>
    </message>
    <message>
        <source>Asking the STUN server %1 for your Internet address (up to %2 s)...</source>
        <translation>Der STUN-Server %1 wird nach Ihrer Internetadresse gefragt (bis zu %2 s)...</translation>
    </message>
    <message>
        <source>Asking the identification server %1 which of your addresses faces the Internet (up to %2 s)...</source>
        <translation>Der Identifikationsserver %1 wird gefragt, welche Ihrer Adressen zum Internet zeigt (bis zu %2 s)...</translation>
    </message>
    <message>
        <source>Your Internet address could not be found: %1. Check your network connection and press Refresh.</source>
        <translation>Ihre Internetadresse wurde nicht gefunden: %1. Prüfen Sie Ihre Netzwerkverbindung und drücken Sie Aktualisieren.</translation>
    </message>
    <message>
        <source>the STUN server %1 did not answer</source>
        <translation>der STUN-Server %1 hat nicht geantwortet</translation>
    </message>
    <message>
        <source>the identification server %1 could not be reached</source>
        <translation>der Identifikationsserver %1 war nicht erreichbar</translation>
    </message>
    <message>
        <source>the identification server %1 saw the address %2, which is none of this computer&apos;s</source>
        <translation>der Identifikationsserver %1 sah die Adresse %2, die keine dieses Computers ist</translation>
    </message>
    <message>
        <source>neither a STUN server nor an identification server is given</source>
        <translation>weder ein STUN-Server noch ein Identifikationsserver ist angegeben</translation>
    </message>
    <message>
        <source>%1, and %2</source>
        <translation>%1, und %2</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>Type your nickname to connect.</source>
        <translation>Geben Sie zum Verbinden Ihren Spitznamen ein.</translation>
    </message>
    <message>
        <source>Type the IP number of your opponent to connect.</source>
        <translation>Geben Sie zum Verbinden die IP-Nummer Ihres Gegners ein.</translation>
    </message>
    <message>
        <source>Type the email address of your opponent to connect.</source>
        <translation>Geben Sie zum Verbinden die E-Mail-Adresse Ihres Gegners ein.</translation>
    </message>
    <message>
        <source>Connect</source>
        <translation>Verbinden</translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation>Aktualisieren</translation>
    </message>
    <message>
        <source>Copy to clipboard</source>
        <translation>In die Zwischenablage kopieren</translation>
    </message>
    <message>
        <source>Varenta Chat Window</source>
        <translation>Varenta-Chatfenster</translation>
    </message>
    <message>
        <source>This area shows the messages that your partner sent you.|</source>
        <translation>Hier erscheinen die Nachrichten, die Ihr Partner Ihnen schickt.|</translation>
    </message>
    <message>
        <source>In this area you can type messages to your partner.|</source>
        <translation>Hier können Sie Nachrichten an Ihren Partner schreiben.|</translation>
    </message>
    <message>
        <source>Ho ho ho, what would Santa think of that?</source>
        <translation>Ho ho ho, was würde der Weihnachtsmann dazu sagen?</translation>
    </message>
    <message>
        <source>&amp;Game</source>
        <translation>&amp;Spiel</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation>&amp;Neu</translation>
    </message>
    <message>
        <source>|Start a new Varenta game</source>
        <translation>|Ein neues Varenta-Spiel beginnen</translation>
    </message>
    <message>
        <source>&amp;Load...</source>
        <translation>&amp;Laden...</translation>
    </message>
    <message>
        <source>Load a saved Varenta game from disk</source>
        <translation>Ein gespeichertes Varenta-Spiel laden</translation>
    </message>
    <message>
        <source>&amp;Save...</source>
        <translation>&amp;Speichern...</translation>
    </message>
    <message>
        <source>|Save the current Varenta game to disk</source>
        <translation>|Das laufende Varenta-Spiel speichern</translation>
    </message>
    <message>
        <source>&amp;Undo Meld</source>
        <translation>Auslage &amp;zurücknehmen</translation>
    </message>
    <message>
        <source>|Undo the last meld, if any</source>
        <translation>|Die letzte Auslage zurücknehmen, falls es eine gibt</translation>
    </message>
    <message>
        <source>Undo &amp;All</source>
        <translation>&amp;Alle zurücknehmen</translation>
    </message>
    <message>
        <source>|Undo all melds since your last discard or taking of the discard pile, if any</source>
        <translation>|Alle Auslagen seit Ihrem letzten Abwurf oder dem Aufnehmen des Ablagestapels zurücknehmen, falls es welche gibt</translation>
    </message>
    <message>
        <source>&amp;Hiscores...</source>
        <translation>Bes&amp;tenliste...</translation>
    </message>
    <message>
        <source>|Show the Top Ten highscores</source>
        <translation>|Die zehn besten Ergebnisse anzeigen</translation>
    </message>
    <message>
        <source>&amp;Win Ratio...</source>
        <translation>&amp;Gewinnquote...</translation>
    </message>
    <message>
        <source>|Show the player&apos;s win/loss ratio </source>
        <translation>|Die Gewinn- und Verlustquote des Spielers anzeigen </translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>|Exit Varenta</source>
        <translation>|Varenta beenden</translation>
    </message>
    <message>
        <source>&amp;Options</source>
        <translation>&amp;Optionen</translation>
    </message>
    <message>
        <source>&amp;Customize...</source>
        <translation>&amp;Anpassen...</translation>
    </message>
    <message>
        <source>|Create players, set the computer level and change the window size and color</source>
        <translation>|Spieler anlegen, die Spielstärke des Computers wählen und Fenstergröße und Farbe ändern</translation>
    </message>
    <message>
        <source>&amp;Decks...</source>
        <translation>&amp;Kartenrücken...</translation>
    </message>
    <message>
        <source>|Select a color or image for the backside of the cards</source>
        <translation>|Eine Farbe oder ein Bild für die Rückseite der Karten wählen</translation>
    </message>
    <message>
        <source>&amp;Sound...</source>
        <translation>&amp;Sound...</translation>
    </message>
    <message>
        <source>|Enable or disable sound and music, and select sound effects and melodies</source>
        <translation>|Sound und Musik ein- oder ausschalten, Klänge und Melodien wählen</translation>
    </message>
    <message>
        <source>&amp;Rules...</source>
        <translation>Spiel&amp;regeln...</translation>
    </message>
    <message>
        <source>|Adjust the rules of Varenta to your local variant (only possible when starting a new game)</source>
        <translation>|Die Regeln von Varenta an Ihre Spielweise anpassen (nur zu Beginn eines neuen Spiels möglich)</translation>
    </message>
    <message>
        <source>&amp;Full Screen</source>
        <translation>&amp;Vollbild</translation>
    </message>
    <message>
        <source>|Show the table on the whole screen, or back in its window (F11)</source>
        <translation>|Den Tisch auf dem ganzen Bildschirm zeigen oder wieder im Fenster (F11)</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;Help Topics</source>
        <translation>&amp;Hilfethemen</translation>
    </message>
    <message>
        <source>&amp;About...</source>
        <translation>&amp;Info über Varenta...</translation>
    </message>
    <message>
        <source>Your Current Meld</source>
        <translation>Ihre aktuelle Auslage</translation>
    </message>
    <message>
        <source>(Minimum is </source>
        <translation>(Minimum: </translation>
    </message>
    <message>
        <source>)</source>
        <translation>)</translation>
    </message>
    <message>
        <source>Computer&apos;s Current Meld</source>
        <translation>Aktuelle Auslage des Computers</translation>
    </message>
    <message>
        <source>Your Current Score</source>
        <translation>Ihr aktueller Punktestand</translation>
    </message>
    <message>
        <source>Computer&apos;s Current Score</source>
        <translation>Aktueller Punktestand des Computers</translation>
    </message>
    <message>
        <source>Meld mode: press 2-9, 0 (ten), J, Q, K, A, or W for wild</source>
        <translation>Auslegen: 2-9, 0 (Zehn), J, Q, K, A drücken oder W für eine wilde Karte</translation>
    </message>
    <message>
        <source>Discard mode: press 2-9, 0 (ten), J, Q, K, A, or W for wild</source>
        <translation>Abwerfen: 2-9, 0 (Zehn), J, Q, K, A drücken oder W für eine wilde Karte</translation>
    </message>
    <message>
        <source>Wild card mode: press 4-9, 0 (ten), J, Q, K, A to add a wild card</source>
        <translation>Wilde Karte: 4-9, 0 (Zehn), J, Q, K, A drücken, um eine wilde Karte anzulegen</translation>
    </message>
    <message>
        <source>Number</source>
        <translation>Anzahl</translation>
    </message>
    <message>
        <source>Value</source>
        <translation>Wert</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation>&amp;Ja</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;Nein</translation>
    </message>
    <message>
        <source>Mixed</source>
        <translation>Gemischt</translation>
    </message>
    <message>
        <source>Natural</source>
        <translation>Natürlich</translation>
    </message>
    <message>
        <source>Wild</source>
        <translation>Wild</translation>
    </message>
    <message>
        <source>card</source>
        <translation>Karte</translation>
    </message>
    <message>
        <source>Varenta Hall of Fame</source>
        <translation>Varenta-Bestenliste</translation>
    </message>
    <message>
        <source>&amp;Level</source>
        <translation>&amp;Spielstärke</translation>
    </message>
    <message>
        <source>&amp;Beginner</source>
        <translation>&amp;Anfänger</translation>
    </message>
    <message>
        <source>&amp;Advanced</source>
        <translation>&amp;Fortgeschritten</translation>
    </message>
    <message>
        <source>&amp;Expert</source>
        <translation>&amp;Experte</translation>
    </message>
    <message>
        <source>&amp;Type of Highscore</source>
        <translation>&amp;Art der Bestleistung</translation>
    </message>
    <message>
        <source>&amp;Hand</source>
        <translation>&amp;Runde</translation>
    </message>
    <message>
        <source>&amp;Match</source>
        <translation>&amp;Partie</translation>
    </message>
    <message>
        <source>Ranking</source>
        <translation>Platz</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Datum</translation>
    </message>
    <message>
        <source>Score</source>
        <translation>Punkte</translation>
    </message>
    <message>
        <source>&amp;Clear</source>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <source>Are you sure you want to clear all highscores for the </source>
        <translation>Möchten Sie wirklich alle Bestleistungen der Spielstärke </translation>
    </message>
    <message>
        <source> level?</source>
        <translation> löschen?</translation>
    </message>
    <message>
        <source>Hand Score in Highscore List</source>
        <translation>Rundenergebnis in der Bestenliste</translation>
    </message>
    <message>
        <source>Match Score in Highscore List</source>
        <translation>Partieergebnis in der Bestenliste</translation>
    </message>
    <message>
        <source>Enter your name:</source>
        <translation>Geben Sie Ihren Namen ein:</translation>
    </message>
    <message>
        <source>Highscore</source>
        <translation>Bestleistung</translation>
    </message>
    <message>
        <source>Win Ratio</source>
        <translation>Gewinnquote</translation>
    </message>
    <message>
        <source>There are no players defined to show statistics for. To create players, select Options|Customize...|Player and press &apos;New...&apos;</source>
        <translation>Es gibt noch keine Spieler, für die eine Statistik gezeigt werden kann. Um Spieler anzulegen, wählen Sie Optionen|Anpassen...|Spieler und drücken Sie „Neu...“</translation>
    </message>
    <message>
        <source>&amp;Player:</source>
        <translation>&amp;Spieler:</translation>
    </message>
    <message>
        <source>Games won:</source>
        <translation>Gewonnene Spiele:</translation>
    </message>
    <message>
        <source>Games lost:</source>
        <translation>Verlorene Spiele:</translation>
    </message>
    <message>
        <source>Win ratio (%):</source>
        <translation>Gewinnquote (%):</translation>
    </message>
    <message>
        <source>&amp;Reset</source>
        <translation>&amp;Zurücksetzen</translation>
    </message>
    <message>
        <source>Do you want to reset the win ratio statistics for player </source>
        <translation>Möchten Sie die Gewinnstatistik zurücksetzen für den Spieler </translation>
    </message>
    <message>
        <source>Customize Varenta</source>
        <translation>Varenta anpassen</translation>
    </message>
    <message>
        <source>Screen</source>
        <translation>Bildschirm</translation>
    </message>
    <message>
        <source>Players</source>
        <translation>Spieler</translation>
    </message>
    <message>
        <source>Level</source>
        <translation>Spielstärke</translation>
    </message>
    <message>
        <source>Background Color</source>
        <translation>Hintergrundfarbe</translation>
    </message>
    <message>
        <source>&amp;Change...</source>
        <translation>&amp;Ändern...</translation>
    </message>
    <message>
        <source>Window Size</source>
        <translation>Fenstergröße</translation>
    </message>
    <message>
        <source>&amp;640 x 480</source>
        <translation>&amp;640 x 480</translation>
    </message>
    <message>
        <source>&amp;800 x 600</source>
        <translation>&amp;800 x 600</translation>
    </message>
    <message>
        <source>&amp;1024 x 768</source>
        <translation>&amp;1024 x 768</translation>
    </message>
    <message>
        <source>1&amp;280 x 1024</source>
        <translation>1&amp;280 x 1024</translation>
    </message>
    <message>
        <source>&amp;Show statusbar</source>
        <translation>&amp;Statusleiste anzeigen</translation>
    </message>
    <message>
        <source>Show my turn/your turn &amp;messages</source>
        <translation>&amp;Meldungen „Wer ist am Zug“ anzeigen</translation>
    </message>
    <message>
        <source>Show &amp;highscores</source>
        <translation>&amp;Bestenliste anzeigen</translation>
    </message>
    <message>
        <source>Current Player</source>
        <translation>Aktueller Spieler</translation>
    </message>
    <message>
        <source>&amp;New...</source>
        <translation>&amp;Neu...</translation>
    </message>
    <message>
        <source>&amp;Rename...</source>
        <translation>&amp;Umbenennen...</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Löschen</translation>
    </message>
    <message>
        <source>Set as &amp;Current Player</source>
        <translation>Als &amp;aktuellen Spieler festlegen</translation>
    </message>
    <message>
        <source>Reset &amp;Stats</source>
        <translation>&amp;Statistik zurücksetzen</translation>
    </message>
    <message>
        <source>New Player</source>
        <translation>Neuer Spieler</translation>
    </message>
    <message>
        <source>Enter the name of the new player:</source>
        <translation>Geben Sie den Namen des neuen Spielers ein:</translation>
    </message>
    <message>
        <source>Rename Player</source>
        <translation>Spieler umbenennen</translation>
    </message>
    <message>
        <source>Enter the new name of the player:</source>
        <translation>Geben Sie den neuen Namen des Spielers ein:</translation>
    </message>
    <message>
        <source>Do you want to delete the player </source>
        <translation>Möchten Sie diesen Spieler löschen: </translation>
    </message>
    <message>
        <source>Computer &amp;Level</source>
        <translation>&amp;Spielstärke des Computers</translation>
    </message>
    <message>
        <source>Expert&apos;s &amp;aggression:</source>
        <translation>&amp;Angriffslust des Experten:</translation>
    </message>
    <message>
        <source>The level cannot be changed now, because a game is in progress. Press OK and then F2 to start a new game. The current game will be aborted.</source>
        <translation>Die Spielstärke kann jetzt nicht geändert werden, weil ein Spiel läuft. Drücken Sie OK und dann F2, um ein neues Spiel zu beginnen. Das laufende Spiel wird dann abgebrochen.</translation>
    </message>
    <message>
        <source>D&amp;iscarding</source>
        <translation>A&amp;bwerfen</translation>
    </message>
    <message>
        <source>&amp;One Right Click</source>
        <translation>&amp;Ein Rechtsklick</translation>
    </message>
    <message>
        <source>&amp;Two Right Clicks</source>
        <translation>&amp;Zwei Rechtsklicks</translation>
    </message>
    <message>
        <source>Computer &amp;Melding</source>
        <translation>&amp;Auslegen des Computers</translation>
    </message>
    <message>
        <source>&amp;No Animation</source>
        <translation>&amp;Keine Animation</translation>
    </message>
    <message>
        <source>&amp;Card Animation</source>
        <translation>&amp;Kartenbewegung</translation>
    </message>
    <message>
        <source>Slow</source>
        <translation>Langsam</translation>
    </message>
    <message>
        <source>Fast</source>
        <translation>Schnell</translation>
    </message>
    <message>
        <source>&amp;AutoSave on Exit and AutoLoad on Start</source>
        <translation>Beim Beenden automatisch &amp;speichern und beim Start laden</translation>
    </message>
    <message>
        <source>&amp;Apply</source>
        <translation>&amp;Übernehmen</translation>
    </message>
    <message>
        <source>Select Card Back</source>
        <translation>Kartenrücken wählen</translation>
    </message>
    <message>
        <source>Select Deck</source>
        <translation>Kartenspiel wählen</translation>
    </message>
    <message>
        <source>Deck One</source>
        <translation>Erstes Kartenspiel</translation>
    </message>
    <message>
        <source>Deck Two</source>
        <translation>Zweites Kartenspiel</translation>
    </message>
    <message>
        <source>Cardback Type</source>
        <translation>Art des Kartenrückens</translation>
    </message>
    <message>
        <source>&amp;Solid Color</source>
        <translation>&amp;Einfarbig</translation>
    </message>
    <message>
        <source>S&amp;tandard Pattern</source>
        <translation>&amp;Standardmuster</translation>
    </message>
    <message>
        <source>C&amp;ustom Pattern</source>
        <translation>&amp;Eigenes Muster</translation>
    </message>
    <message>
        <source>Current Cardback</source>
        <translation>Aktueller Kartenrücken</translation>
    </message>
    <message>
        <source>Select Card Back Pattern</source>
        <translation>Muster des Kartenrückens wählen</translation>
    </message>
    <message>
        <source>Select Bitmap</source>
        <translation>Bild wählen</translation>
    </message>
    <message>
        <source>Bitmaps (*.bmp);;All Files (*)</source>
        <translation>Bitmaps (*.bmp);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>The picture file &quot;</source>
        <translation>Die Bilddatei „</translation>
    </message>
    <message>
        <source>&quot; cannot be read as a picture. The deck keeps its plain colored back instead.</source>
        <translation>“ lässt sich nicht als Bild lesen. Das Kartenspiel behält stattdessen seinen einfarbigen Rücken.</translation>
    </message>
    <message>
        <source>Varenta Sound</source>
        <translation>Varenta-Sound</translation>
    </message>
    <message>
        <source>Sound</source>
        <translation>Sound</translation>
    </message>
    <message>
        <source>Music</source>
        <translation>Musik</translation>
    </message>
    <message>
        <source>&amp;Sound Enabled</source>
        <translation>&amp;Sound eingeschaltet</translation>
    </message>
    <message>
        <source>&amp;Music Enabled</source>
        <translation>&amp;Musik eingeschaltet</translation>
    </message>
    <message>
        <source>Varenta &amp;Events</source>
        <translation>Varenta-&amp;Ereignisse</translation>
    </message>
    <message>
        <source>&amp;Associated Sounds</source>
        <translation>&amp;Zugeordnete Klänge</translation>
    </message>
    <message>
        <source>&amp;Add...</source>
        <translation>&amp;Hinzufügen...</translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation>&amp;Entfernen</translation>
    </message>
    <message>
        <source>&amp;Default</source>
        <translation>&amp;Vorgabe</translation>
    </message>
    <message>
        <source>&amp;Play</source>
        <translation>&amp;Abspielen</translation>
    </message>
    <message>
        <source>Select Sound File</source>
        <translation>Klangdatei wählen</translation>
    </message>
    <message>
        <source>Sound Files (*.wav);;All Files (*)</source>
        <translation>Klangdateien (*.wav);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>&amp;Jukebox Folder</source>
        <translation>&amp;Jukebox-Ordner</translation>
    </message>
    <message>
        <source>&amp;Single Music File</source>
        <translation>&amp;Einzelne Musikdatei</translation>
    </message>
    <message>
        <source>Select Music File</source>
        <translation>Musikdatei wählen</translation>
    </message>
    <message>
        <source>Music Files (*.mid);;All Files (*)</source>
        <translation>Musikdateien (*.mid);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>Select Jukebox Folder</source>
        <translation>Jukebox-Ordner wählen</translation>
    </message>
    <message>
        <source>Varenta Help</source>
        <translation>Varenta-Hilfe</translation>
    </message>
    <message>
        <source>About Varenta</source>
        <translation>Info über Varenta</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Varenta 4.0&lt;/h3&gt;&lt;p&gt;Two-handed rummy with two decks, wild jokers and twos, seven-card Varentas and red-three bonuses, played to 5000 points.&lt;/p&gt;&lt;p&gt;Card pictures and sounds are made by the program itself.&lt;/p&gt;&lt;p&gt;Free software under the GNU General Public License, version 3 or later: you may share and change it under its terms. It comes with no warranty.&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Varenta 4.0&lt;/h3&gt;&lt;p&gt;Rommé für zwei mit zwei Kartenspielen, Jokern und Zweien als wilden Karten, Varentas aus sieben Karten und Bonus für rote Dreien, gespielt bis 5000 Punkte.&lt;/p&gt;&lt;p&gt;Kartenbilder und Klänge erzeugt das Programm selbst.&lt;/p&gt;&lt;p&gt;Freie Software unter der GNU General Public License, Version 3 oder später: Sie dürfen sie nach deren Bedingungen weitergeben und verändern. Sie kommt ohne jede Gewährleistung.&lt;/p&gt;</translation>
    </message>
    <message>
        <source>An error occurred while sending message.</source>
        <translation>Beim Senden der Nachricht ist ein Fehler aufgetreten.</translation>
    </message>
    <message>
        <source>Waiting for reply from partner...</source>
        <translation>Warten auf die Antwort des Partners...</translation>
    </message>
    <message>
        <source>Reply received...waiting for opponent.</source>
        <translation>Antwort erhalten... warten auf den Gegner.</translation>
    </message>
    <message>
        <source>An error occurred while sending message: %1</source>
        <translation>Beim Senden der Nachricht ist ein Fehler aufgetreten: %1</translation>
    </message>
    <message>
        <source>Checking the mailbox failed (trying again every 5 seconds): %1</source>
        <translation>Das Abrufen des Postfachs ist fehlgeschlagen (neuer Versuch alle 5 Sekunden): %1</translation>
    </message>
    <message>
        <source>The partner&apos;s mail holds no usable address; still waiting for a reply.</source>
        <translation>Die Mail des Partners enthält keine brauchbare Adresse; es wird weiter auf eine Antwort gewartet.</translation>
    </message>
    <message>
        <source>Unexpected response: %1</source>
        <translation>Unerwartete Antwort: %1</translation>
    </message>
    <message>
        <source>Access Denied</source>
        <translation>Zugriff verweigert</translation>
    </message>
    <message>
        <source>The mail server sent a malformed reply: %1</source>
        <translation>Der Mailserver hat eine fehlerhafte Antwort geschickt: %1</translation>
    </message>
    <message>
        <source>The mail server sent a line that is too long.</source>
        <translation>Der Mailserver hat eine zu lange Zeile geschickt.</translation>
    </message>
    <message>
        <source>The mail server closed the connection.</source>
        <translation>Der Mailserver hat die Verbindung geschlossen.</translation>
    </message>
    <message>
        <source>The mail server %1 did not answer in time.</source>
        <translation>Der Mailserver %1 hat nicht rechtzeitig geantwortet.</translation>
    </message>
    <message>
        <source>No mail server is given.</source>
        <translation>Es ist kein Mailserver angegeben.</translation>
    </message>
    <message>
        <source>The mail server &quot;%1&quot; is not a host name with an optional port.</source>
        <translation>Der Mailserver „%1“ ist kein Hostname mit optionalem Port.</translation>
    </message>
    <message>
        <source>The mail server %1 could not be found (%2).</source>
        <translation>Der Mailserver %1 wurde nicht gefunden (%2).</translation>
    </message>
    <message>
        <source>The mail server %1 could not be reached (%2).</source>
        <translation>Der Mailserver %1 war nicht erreichbar (%2).</translation>
    </message>
    <message>
        <source>The connection to the mail server %1 was lost (%2).</source>
        <translation>Die Verbindung zum Mailserver %1 ist abgebrochen (%2).</translation>
    </message>
    <message>
        <source>The certificate of the mail server %1 could not be verified: %2</source>
        <translation>Das Zertifikat des Mailservers %1 konnte nicht geprüft werden: %2</translation>
    </message>
    <message>
        <source>The secure connection to the mail server %1 failed: %2</source>
        <translation>Die sichere Verbindung zum Mailserver %1 ist fehlgeschlagen: %2</translation>
    </message>
    <message>
        <source>The mail server does not offer a secure connection.</source>
        <translation>Der Mailserver bietet keine sichere Verbindung an.</translation>
    </message>
    <message>
        <source>The mail server sent data before the secure connection began.</source>
        <translation>Der Mailserver hat Daten geschickt, bevor die sichere Verbindung begann.</translation>
    </message>
    <message>
        <source>The mail server offers no sign-in method this program knows (PLAIN or LOGIN).</source>
        <translation>Der Mailserver bietet kein Anmeldeverfahren an, das dieses Programm kennt (PLAIN oder LOGIN).</translation>
    </message>
    <message>
        <source>The mail server refused the user name or password: %1</source>
        <translation>Der Mailserver hat Benutzername oder Passwort abgelehnt: %1</translation>
    </message>
    <message>
        <source>The mail address &quot;%1&quot; is not valid.</source>
        <translation>Die Mailadresse „%1“ ist ungültig.</translation>
    </message>
    <message>
        <source>The mail server refused every recipient: %1</source>
        <translation>Der Mailserver hat jeden Empfänger abgelehnt: %1</translation>
    </message>
    <message>
        <source>Network Setup</source>
        <translation>Netzwerk einrichten</translation>
    </message>
    <message>
        <source>Information about your Internet service provider</source>
        <translation>Angaben zu Ihrem Internetanbieter</translation>
    </message>
    <message>
        <source>Information about your Internet account</source>
        <translation>Angaben zu Ihrem Internetzugang</translation>
    </message>
    <message>
        <source>SMTP server</source>
        <translation>SMTP-Server</translation>
    </message>
    <message>
        <source>POP3 server</source>
        <translation>POP3-Server</translation>
    </message>
    <message>
        <source>Your Name</source>
        <translation>Ihr Name</translation>
    </message>
    <message>
        <source>Your email address</source>
        <translation>Ihre E-Mail-Adresse</translation>
    </message>
    <message>
        <source>Your Username</source>
        <translation>Ihr Benutzername</translation>
    </message>
    <message>
        <source>Your Password</source>
        <translation>Ihr Passwort</translation>
    </message>
    <message>
        <source>Secure connections</source>
        <translation>Sichere Verbindungen</translation>
    </message>
    <message>
        <source>SMTP</source>
        <translation>SMTP</translation>
    </message>
    <message>
        <source>POP3</source>
        <translation>POP3</translation>
    </message>
    <message>
        <source>None (plain text)</source>
        <translation>Keine (Klartext)</translation>
    </message>
    <message>
        <source>STARTTLS (port 587)</source>
        <translation>STARTTLS (Port 587)</translation>
    </message>
    <message>
        <source>TLS (port 465)</source>
        <translation>TLS (Port 465)</translation>
    </message>
    <message>
        <source>STLS (port 110)</source>
        <translation>STLS (Port 110)</translation>
    </message>
    <message>
        <source>TLS (port 995)</source>
        <translation>TLS (Port 995)</translation>
    </message>
    <message>
        <source>Sign in to the SMTP server with the user name and password</source>
        <translation>Beim SMTP-Server mit Benutzername und Passwort anmelden</translation>
    </message>
    <message>
        <source>A server may be given as host:port.</source>
        <translation>Ein Server kann als Host:Port angegeben werden.</translation>
    </message>
    <message>
        <source>Not connected</source>
        <translation>Nicht verbunden</translation>
    </message>
    <message>
        <source>Waiting for Connection...</source>
        <translation>Warten auf Verbindung...</translation>
    </message>
    <message>
        <source>Connection established with </source>
        <translation>Verbunden mit </translation>
    </message>
    <message>
        <source>You and your partner have the same IP address. Should this instance of Varenta be the server?</source>
        <translation>Sie und Ihr Partner haben dieselbe IP-Adresse. Soll dieses Varenta der Server sein?</translation>
    </message>
    <message>
        <source>Note: this means that your partner must choose &apos;No&apos; here.</source>
        <translation>Hinweis: Dann muss Ihr Partner hier „Nein“ wählen.</translation>
    </message>
    <message>
        <source>Another copy of Varenta on this computer is already waiting for its partner on port %1, so this copy cannot be the server. Connect again and answer &quot;No&quot; when asked whether this copy should be the server.</source>
        <translation>Ein anderes Varenta auf diesem Computer wartet schon an Port %1 auf seinen Partner, darum kann dieses nicht der Server sein. Verbinden Sie sich noch einmal und antworten Sie „Nein“ auf die Frage, ob dieses Varenta der Server sein soll.</translation>
    </message>
    <message>
        <source>Nobody is listening at %1, port %2, yet (%3 attempts refused). One of the two players must be the server: if both of you answered &quot;No&quot;, one of you should disconnect, connect again and answer &quot;Yes&quot;. Still trying...</source>
        <translation>Bei %1, Port %2, wartet noch niemand (%3 Versuche abgewiesen). Einer der beiden Spieler muss der Server sein: Wenn Sie beide „Nein“ geantwortet haben, sollte einer von Ihnen trennen, sich neu verbinden und „Ja“ antworten. Weitere Versuche laufen...</translation>
    </message>
    <message>
        <source>Port %1 opened on the router</source>
        <translation>Port %1 am Router geöffnet</translation>
    </message>
    <message>
        <source>Port %1 could not be opened on the router: %2. A partner outside your network may not reach you; games on your own network are not affected.</source>
        <translation>Port %1 konnte am Router nicht geöffnet werden: %2. Ein Partner außerhalb Ihres Netzwerks erreicht Sie womöglich nicht; Spiele im eigenen Netzwerk sind davon nicht betroffen.</translation>
    </message>
    <message>
        <source>The router no longer keeps port %1 open: %2.</source>
        <translation>Der Router hält Port %1 nicht mehr offen: %2.</translation>
    </message>
    <message>
        <source>You have version </source>
        <translation>Sie haben Version </translation>
    </message>
    <message>
        <source> and your opponent has version </source>
        <translation> und Ihr Gegner hat Version </translation>
    </message>
    <message>
        <source>. Please use the same version.</source>
        <translation>. Bitte verwenden Sie dieselbe Version.</translation>
    </message>
    <message>
        <source>Connection to </source>
        <translation>Die Verbindung zu </translation>
    </message>
    <message>
        <source> lost. The network game will now terminate.</source>
        <translation> ist abgebrochen. Das Netzwerkspiel wird jetzt beendet.</translation>
    </message>
    <message>
        <source>The following problem occurred using TCP/IP functionality: </source>
        <translation>Bei der TCP/IP-Verbindung ist folgendes Problem aufgetreten: </translation>
    </message>
    <message>
        <source>Unknown token: </source>
        <translation>Unbekanntes Schlüsselwort: </translation>
    </message>
    <message>
        <source>Connection established. Type text and press ENTER to send a message.</source>
        <translation>Verbindung hergestellt. Schreiben Sie einen Text und drücken Sie EINGABE, um eine Nachricht zu senden.</translation>
    </message>
    <message>
        <source>Messages from </source>
        <translation>Nachrichten von </translation>
    </message>
    <message>
        <source> will appear here.</source>
        <translation> erscheinen hier.</translation>
    </message>
    <message>
        <source>Are you sure you want to disconnect?</source>
        <translation>Möchten Sie die Verbindung wirklich trennen?</translation>
    </message>
    <message>
        <source>You have a network game running. Are you sure you want to quit?</source>
        <translation>Ein Netzwerkspiel läuft. Möchten Sie Varenta wirklich beenden?</translation>
    </message>
    <message>
        <source>A message from your opponent was longer than 255 bytes and was ignored.</source>
        <translation>Eine Nachricht Ihres Gegners war länger als 255 Byte und wurde übergangen.</translation>
    </message>
    <message>
        <source>A message from your opponent could not be read and was ignored: </source>
        <translation>Eine Nachricht Ihres Gegners war nicht lesbar und wurde übergangen: </translation>
    </message>
    <message>
        <source>A message from your opponent came at the wrong moment and was ignored: </source>
        <translation>Eine Nachricht Ihres Gegners kam zur falschen Zeit und wurde übergangen: </translation>
    </message>
    <message>
        <source>Your opponent&apos;s move does not match this table and was ignored: </source>
        <translation>Der Zug Ihres Gegners passt nicht zu diesem Tisch und wurde übergangen: </translation>
    </message>
    <message>
        <source>Your table and your opponent&apos;s no longer hold the same game (</source>
        <translation>Ihr Tisch und der Ihres Gegners zeigen nicht mehr dasselbe Spiel (</translation>
    </message>
    <message>
        <source>). The network game is given up on both tables.</source>
        <translation>). Das Netzwerkspiel wird auf beiden Tischen aufgegeben.</translation>
    </message>
    <message>
        <source>found after hand </source>
        <translation>festgestellt nach Runde </translation>
    </message>
    <message>
        <source>found when the tables were compared</source>
        <translation>festgestellt beim Vergleich der Tische</translation>
    </message>
    <message>
        <source>found by your opponent&apos;s table</source>
        <translation>festgestellt vom Tisch Ihres Gegners</translation>
    </message>
    <message>
        <source>Both tables hold the same game.</source>
        <translation>Beide Tische zeigen dasselbe Spiel.</translation>
    </message>
    <message>
        <source>The tables could not be compared just now because a move was on its way. Try again.</source>
        <translation>Die Tische ließen sich gerade nicht vergleichen, weil ein Zug unterwegs war. Versuchen Sie es noch einmal.</translation>
    </message>
    <message>
        <source>The tables are not compared while your rules and your opponent&apos;s differ.</source>
        <translation>Solange sich Ihre Regeln und die Ihres Gegners unterscheiden, werden die Tische nicht verglichen.</translation>
    </message>
    <message>
        <source>Your opponent&apos;s program cannot compare tables.</source>
        <translation>Das Programm Ihres Gegners kann keine Tische vergleichen.</translation>
    </message>
    <message>
        <source>The connection to </source>
        <translation>Die Verbindung zu </translation>
    </message>
    <message>
        <source> was lost. The game is kept and waits for your opponent to come back.</source>
        <translation> ist abgebrochen. Das Spiel bleibt erhalten und wartet, bis Ihr Gegner zurückkommt.</translation>
    </message>
    <message>
        <source>The connection is back and both tables hold the same game: play goes on.</source>
        <translation>Die Verbindung steht wieder, und beide Tische zeigen dasselbe Spiel: Es geht weiter.</translation>
    </message>
    <message>
        <source>found when the game was to go on</source>
        <translation>festgestellt, als das Spiel weitergehen sollte</translation>
    </message>
    <message>
        <source>Your opponent&apos;s table holds no game to go on with: a new game begins.</source>
        <translation>Der Tisch Ihres Gegners hat kein Spiel zum Weiterspielen: Ein neues Spiel beginnt.</translation>
    </message>
    <message>
        <source>&amp;Contents</source>
        <translation>&amp;Inhalt</translation>
    </message>
    <message>
        <source>&amp;Back</source>
        <translation>&amp;Zurück</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Exit</source>
        <translation>Beenden</translation>
    </message>
    <message>
        <source>Help (1st)</source>
        <translation>Hilfe (1.)</translation>
    </message>
    <message>
        <source>Help (2nd)</source>
        <translation>Hilfe (2.)</translation>
    </message>
    <message>
        <source>Help (3rd)</source>
        <translation>Hilfe (3.)</translation>
    </message>
    <message>
        <source>Connected through the relay at %1.</source>
        <translation>Verbunden über das Relais bei %1.</translation>
    </message>
    <message>
        <source>Connected directly.</source>
        <translation>Direkt verbunden.</translation>
    </message>
    <message>
        <source>The router&apos;s IPv6 firewall lets partners in to port %1 at %2</source>
        <translation>Die IPv6-Firewall des Routers lässt Partner zu Port %1 bei %2 herein</translation>
    </message>
    <message>
        <source>The router&apos;s IPv6 firewall could not be opened for port %1 at %2: %3.</source>
        <translation>Die IPv6-Firewall des Routers konnte für Port %1 bei %2 nicht geöffnet werden: %3.</translation>
    </message>
    <message>
        <source>The router&apos;s IPv6 firewall no longer lets partners in to port %1 at %2: %3.</source>
        <translation>Die IPv6-Firewall des Routers lässt Partner nicht mehr zu Port %1 bei %2 herein: %3.</translation>
    </message>
    <message>
        <source>The kept network game %1 cannot be resumed: %2.</source>
        <translation>Das aufbewahrte Netzwerkspiel %1 kann nicht fortgesetzt werden: %2.</translation>
    </message>
    <message>
        <source>it is not a kept network game</source>
        <translation>es ist kein aufbewahrtes Netzwerkspiel</translation>
    </message>
    <message>
        <source>it is not whole</source>
        <translation>es ist nicht vollständig</translation>
    </message>
    <message>
        <source>the turn&apos;s record is damaged</source>
        <translation>die Angaben zum Zug sind beschädigt</translation>
    </message>
    <message>
        <source>the connection&apos;s record is damaged</source>
        <translation>die Angaben zur Verbindung sind beschädigt</translation>
    </message>
    <message>
        <source>The connection to %1 was lost. The table keeps the game and connects again by itself while you wait for %1 to come back. You may also play on against the computer from here, or give the network game up (a new game against the computer begins).</source>
        <translation>Die Verbindung zu %1 ist abgebrochen. Der Tisch behält das Spiel und verbindet sich von selbst wieder, während Sie warten, bis %1 zurückkommt. Sie können auch von hier aus gegen den Computer weiterspielen oder das Netzwerkspiel aufgeben (dann beginnt ein neues Spiel gegen den Computer).</translation>
    </message>
    <message>
        <source>The connection to %1 was lost. The table keeps the game and connects again by itself while you wait for %1 to come back. You may also give the network game up (a new game against the computer begins).</source>
        <translation>Die Verbindung zu %1 ist abgebrochen. Der Tisch behält das Spiel und verbindet sich von selbst wieder, während Sie warten, bis %1 zurückkommt. Sie können das Netzwerkspiel auch aufgeben (dann beginnt ein neues Spiel gegen den Computer).</translation>
    </message>
    <message>
        <source>&amp;Wait</source>
        <translation>&amp;Warten</translation>
    </message>
    <message>
        <source>Play the &amp;Computer</source>
        <translation>Gegen den &amp;Computer spielen</translation>
    </message>
    <message>
        <source>&amp;Give Up</source>
        <translation>&amp;Aufgeben</translation>
    </message>
    <message>
        <source>Your network game with %1 was kept when the connection was lost. Go on with it and wait for %1 to come back? (No gives that game up.)</source>
        <translation>Ihr Netzwerkspiel mit %1 wurde aufbewahrt, als die Verbindung abbrach. Möchten Sie es fortsetzen und warten, bis %1 zurückkommt? (Mit Nein wird dieses Spiel aufgegeben.)</translation>
    </message>
    <message>
        <source>The waiting network game could not be kept for the next start: %1</source>
        <translation>Das wartende Netzwerkspiel konnte nicht für den nächsten Start aufbewahrt werden: %1</translation>
    </message>
    <message>
        <source>Relay (when no port can be opened)</source>
        <translation>Relais (wenn kein Port geöffnet werden kann)</translation>
    </message>
    <message>
        <source>Relay server (host:port):</source>
        <translation>Relais-Server (Host:Port):</translation>
    </message>
    <message>
        <source>User name:</source>
        <translation>Benutzername:</translation>
    </message>
    <message>
        <source>Password:</source>
        <translation>Passwort:</translation>
    </message>
    <message>
        <source>A TURN server, for example your own: it carries only the two players&apos; game bytes. With &quot;Internet&quot; chosen, this side then waits for the partner at the relayed address.</source>
        <translation>Ein TURN-Server, zum Beispiel Ihr eigener: Er überträgt nur die Spieldaten der beiden Spieler. Ist &quot;Internet&quot; gewählt, wartet diese Seite dann unter der weitergeleiteten Adresse auf den Partner.</translation>
    </message>
    <message>
        <source>Through the relay at %1: this side waits at a relayed address, named once you press Connect. Give that address to your partner.</source>
        <translation>Über das Relais bei %1: Diese Seite wartet unter einer weitergeleiteten Adresse, die genannt wird, sobald Sie auf Verbinden klicken. Geben Sie diese Adresse Ihrem Partner.</translation>
    </message>
    <message>
        <source>Asking the relay at %1 for an address...</source>
        <translation>Das Relais bei %1 wird nach einer Adresse gefragt...</translation>
    </message>
    <message>
        <source>Give your partner the relayed address %1 (through the relay at %2).</source>
        <translation>Geben Sie Ihrem Partner die weitergeleitete Adresse %1 (über das Relais bei %2).</translation>
    </message>
    <message>
        <source>joker</source>
        <translation>Joker</translation>
    </message>
    <message>
        <source>two</source>
        <translation>Zwei</translation>
    </message>
    <message>
        <source>three</source>
        <translation>Drei</translation>
    </message>
    <message>
        <source>four</source>
        <translation>Vier</translation>
    </message>
    <message>
        <source>five</source>
        <translation>Fünf</translation>
    </message>
    <message>
        <source>six</source>
        <translation>Sechs</translation>
    </message>
    <message>
        <source>seven</source>
        <translation>Sieben</translation>
    </message>
    <message>
        <source>eight</source>
        <translation>Acht</translation>
    </message>
    <message>
        <source>nine</source>
        <translation>Neun</translation>
    </message>
    <message>
        <source>ten</source>
        <translation>Zehn</translation>
    </message>
    <message>
        <source>jack</source>
        <translation>Bube</translation>
    </message>
    <message>
        <source>queen</source>
        <translation>Dame</translation>
    </message>
    <message>
        <source>king</source>
        <translation>König</translation>
    </message>
    <message>
        <source>ace</source>
        <translation>Ass</translation>
    </message>
    <message>
        <source>jokers</source>
        <translation>Joker</translation>
    </message>
    <message>
        <source>twos</source>
        <translation>Zweien</translation>
    </message>
    <message>
        <source>threes</source>
        <translation>Dreien</translation>
    </message>
    <message>
        <source>fours</source>
        <translation>Vieren</translation>
    </message>
    <message>
        <source>fives</source>
        <translation>Fünfen</translation>
    </message>
    <message>
        <source>sixes</source>
        <translation>Sechsen</translation>
    </message>
    <message>
        <source>sevens</source>
        <translation>Siebenen</translation>
    </message>
    <message>
        <source>eights</source>
        <translation>Achten</translation>
    </message>
    <message>
        <source>nines</source>
        <translation>Neunen</translation>
    </message>
    <message>
        <source>tens</source>
        <translation>Zehnen</translation>
    </message>
    <message>
        <source>jacks</source>
        <translation>Buben</translation>
    </message>
    <message>
        <source>queens</source>
        <translation>Damen</translation>
    </message>
    <message>
        <source>kings</source>
        <translation>Könige</translation>
    </message>
    <message>
        <source>aces</source>
        <translation>Asse</translation>
    </message>
    <message>
        <source>spades</source>
        <translation>Pik</translation>
    </message>
    <message>
        <source>clubs</source>
        <translation>Kreuz</translation>
    </message>
    <message>
        <source>diamonds</source>
        <translation>Karo</translation>
    </message>
    <message>
        <source>hearts</source>
        <translation>Herz</translation>
    </message>
    <message>
        <source>1 card</source>
        <translation>1 Karte</translation>
    </message>
    <message>
        <source>%1 cards</source>
        <translation>%1 Karten</translation>
    </message>
    <message>
        <source>wild cards</source>
        <translation>wilde Karten</translation>
    </message>
    <message>
        <source>Your meld of %1: %2</source>
        <translation>Ihre Auslage %1: %2</translation>
    </message>
    <message>
        <source>Opponent&apos;s meld of %1: %2</source>
        <translation>Auslage %1 des Gegners: %2</translation>
    </message>
    <message>
        <source>, %1 natural</source>
        <translation>, davon %1 natürlich</translation>
    </message>
    <message>
        <source>, a natural Varenta</source>
        <translation>, eine natürliche Varenta</translation>
    </message>
    <message>
        <source>, a mixed Varenta</source>
        <translation>, eine gemischte Varenta</translation>
    </message>
    <message>
        <source>, a wild card Varenta</source>
        <translation>, eine Varenta aus wilden Karten</translation>
    </message>
    <message>
        <source>Stock: %1</source>
        <translation>Stapel: %1</translation>
    </message>
    <message>
        <source>Discard pile: empty</source>
        <translation>Ablagestapel: leer</translation>
    </message>
    <message>
        <source>Discard pile: %1, %2 on top%3</source>
        <translation>Ablagestapel: %1, oben %2%3</translation>
    </message>
    <message>
        <source>, frozen</source>
        <translation>, eingefroren</translation>
    </message>
    <message>
        <source>Opponent&apos;s hand: %1</source>
        <translation>Hand des Gegners: %1</translation>
    </message>
    <message>
        <source>%1, the only %2</source>
        <translation>%1, Ihre einzige Karte dieses Rangs (%2)</translation>
    </message>
    <message>
        <source>%1, %2 %3 in your hand</source>
        <translation>%1, %2 %3 in Ihrer Hand</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%2-%1</translation>
    </message>
    <message>
        <source>Varenta table</source>
        <translation>Varenta-Tisch</translation>
    </message>
    <message>
        <source>The relay at </source>
        <translation>Das Relais bei </translation>
    </message>
    <message>
        <source> refused the user name or password.</source>
        <translation> hat den Benutzernamen oder das Passwort abgelehnt.</translation>
    </message>
    <message>
        <source> refused to relay (</source>
        <translation> verweigert die Weiterleitung (</translation>
    </message>
    <message>
        <source> sent an answer that cannot be read (</source>
        <translation> hat eine unlesbare Antwort geschickt (</translation>
    </message>
    <message>
        <source> answered without proof that it knows the password.</source>
        <translation> hat geantwortet, ohne zu belegen, dass es das Passwort kennt.</translation>
    </message>
    <message>
        <source> cannot be reached (</source>
        <translation> ist nicht erreichbar (</translation>
    </message>
    <message>
        <source>The connection to the relay at </source>
        <translation>Die Verbindung zum Relais bei </translation>
    </message>
    <message>
        <source> was lost.</source>
        <translation> ist abgebrochen.</translation>
    </message>
    <message>
        <source>A partner&apos;s connection through the relay at </source>
        <translation>Die Verbindung eines Partners über das Relais bei </translation>
    </message>
    <message>
        <source> could not be taken (</source>
        <translation> konnte nicht übernommen werden (</translation>
    </message>
    <message>
        <source>the TLS library (libgnutls.so.30) could not be loaded</source>
        <translation>die TLS-Bibliothek (libgnutls.so.30) konnte nicht geladen werden</translation>
    </message>
    <message>
        <source>no answer within </source>
        <translation>keine Antwort innerhalb von </translation>
    </message>
    <message>
        <source>the server closed the connection</source>
        <translation>der Server hat die Verbindung geschlossen</translation>
    </message>
    <message>
        <source>the UPnP router did not answer</source>
        <translation>der UPnP-Router hat nicht geantwortet</translation>
    </message>
    <message>
        <source>no UPnP router</source>
        <translation>kein UPnP-Router</translation>
    </message>
    <message>
        <source>no UPnP router answered</source>
        <translation>kein UPnP-Router hat geantwortet</translation>
    </message>
    <message>
        <source>no UPnP router answered over IPv6</source>
        <translation>kein UPnP-Router hat über IPv6 geantwortet</translation>
    </message>
    <message>
        <source>the UPnP router reports no Internet connection</source>
        <translation>der UPnP-Router meldet keine Internetverbindung</translation>
    </message>
    <message>
        <source>the UPnP router has no IPv6 firewall control</source>
        <translation>der UPnP-Router lässt seine IPv6-Firewall nicht steuern</translation>
    </message>
    <message>
        <source>the UPnP router lets no connection through its IPv6 firewall</source>
        <translation>der UPnP-Router lässt keine Verbindung durch seine IPv6-Firewall</translation>
    </message>
    <message>
        <source>the UPnP router refused (error </source>
        <translation>der UPnP-Router hat abgelehnt (Fehler </translation>
    </message>
    <message>
        <source>no IPv6 address to open the firewall for</source>
        <translation>keine IPv6-Adresse, für die die Firewall zu öffnen wäre</translation>
    </message>
    <message>
        <source>no gateway to ask over NAT-PMP</source>
        <translation>kein Gateway, das über NAT-PMP gefragt werden kann</translation>
    </message>
    <message>
        <source>no NAT-PMP router answered</source>
        <translation>kein NAT-PMP-Router hat geantwortet</translation>
    </message>
    <message>
        <source>the NAT-PMP router refused (not allowed)</source>
        <translation>der NAT-PMP-Router hat abgelehnt (nicht erlaubt)</translation>
    </message>
    <message>
        <source>the NAT-PMP router has no Internet connection</source>
        <translation>der NAT-PMP-Router hat keine Internetverbindung</translation>
    </message>
    <message>
        <source>the NAT-PMP router has no room for another mapping</source>
        <translation>der NAT-PMP-Router hat keinen Platz für eine weitere Weiterleitung</translation>
    </message>
    <message>
        <source>the NAT-PMP router does not support port mapping</source>
        <translation>der NAT-PMP-Router unterstützt keine Portweiterleitung</translation>
    </message>
    <message>
        <source>NAT-PMP error </source>
        <translation>NAT-PMP-Fehler </translation>
    </message>
    <message>
        <source>the NAT-PMP gateway address is not usable</source>
        <translation>die Adresse des NAT-PMP-Gateways ist nicht verwendbar</translation>
    </message>
    <message>
        <source>no NAT-PMP router</source>
        <translation>kein NAT-PMP-Router</translation>
    </message>
    <message>
        <source>the NAT-PMP router&apos;s answer does not fit the request</source>
        <translation>die Antwort des NAT-PMP-Routers passt nicht zur Anfrage</translation>
    </message>
    <message>
        <source>the NAT-PMP router offered port </source>
        <translation>der NAT-PMP-Router hat stattdessen Port </translation>
    </message>
    <message>
        <source> instead</source>
        <translation> angeboten</translation>
    </message>
    <message>
        <source>no router answered (neither UPnP nor NAT-PMP)</source>
        <translation>kein Router hat geantwortet (weder über UPnP noch über NAT-PMP)</translation>
    </message>
    <message>
        <source>the STUN server&apos;s name could not be looked up in time</source>
        <translation>der Name des STUN-Servers konnte nicht rechtzeitig aufgelöst werden</translation>
    </message>
    <message>
        <source>the STUN server&apos;s name is not usable</source>
        <translation>der Name des STUN-Servers ist nicht verwendbar</translation>
    </message>
    <message>
        <source>the STUN server&apos;s name is unknown</source>
        <translation>der Name des STUN-Servers ist unbekannt</translation>
    </message>
    <message>
        <source>the STUN server cannot be reached (</source>
        <translation>der STUN-Server ist nicht erreichbar (</translation>
    </message>
    <message>
        <source>the STUN server did not answer</source>
        <translation>der STUN-Server hat nicht geantwortet</translation>
    </message>
    <message>
        <source>the STUN server refused the request (error </source>
        <translation>der STUN-Server hat die Anfrage abgelehnt (Fehler </translation>
    </message>
    <message>
        <source>the STUN server&apos;s answer could not be read</source>
        <translation>die Antwort des STUN-Servers war nicht lesbar</translation>
    </message>
    <message>
        <source>not a STUN message</source>
        <translation>keine STUN-Nachricht</translation>
    </message>
    <message>
        <source>an attribute runs past the message&apos;s end</source>
        <translation>ein Attribut reicht über das Ende der Nachricht hinaus</translation>
    </message>
    <message>
        <source>a wrong fingerprint</source>
        <translation>ein falscher Fingerabdruck</translation>
    </message>
    <message>
        <source>a message integrity of the wrong size</source>
        <translation>eine Integritätsprüfung der falschen Länge</translation>
    </message>
    <message>
        <source>a message integrity that does not match</source>
        <translation>eine Integritätsprüfung, die nicht stimmt</translation>
    </message>
    <message>
        <source>an over-long text attribute</source>
        <translation>ein überlanges Textattribut</translation>
    </message>
    <message>
        <source>error </source>
        <translation>Fehler </translation>
    </message>
    <message>
        <source>an error</source>
        <translation>ein Fehler</translation>
    </message>
    <message>
        <source>not a relay&apos;s answer</source>
        <translation>keine Antwort eines Relais</translation>
    </message>
    <message>
        <source>the server closed it</source>
        <translation>der Server hat sie geschlossen</translation>
    </message>
    <message>
        <source>an answer to another request</source>
        <translation>eine Antwort auf eine andere Anfrage</translation>
    </message>
    <message>
        <source>not an answer</source>
        <translation>keine Antwort</translation>
    </message>
    <message>
        <source>the answer is not signed</source>
        <translation>die Antwort ist nicht signiert</translation>
    </message>
    <message>
        <source>not a relay&apos;s message</source>
        <translation>keine Nachricht eines Relais</translation>
    </message>
    <message>
        <source>no lifetime</source>
        <translation>keine Lebensdauer</translation>
    </message>
    <message>
        <source>no relayed address and lifetime</source>
        <translation>keine weitergeleitete Adresse und Lebensdauer</translation>
    </message>
    <message>
        <source>Not a WinSock error</source>
        <translation>Kein WinSock-Fehler</translation>
    </message>
    <message>
        <source>Interrupted system call</source>
        <translation>Unterbrochener Systemaufruf</translation>
    </message>
    <message>
        <source>Bad file number</source>
        <translation>Ungültige Dateinummer</translation>
    </message>
    <message>
        <source>Permission denied</source>
        <translation>Keine Berechtigung</translation>
    </message>
    <message>
        <source>Bad address</source>
        <translation>Ungültige Adresse</translation>
    </message>
    <message>
        <source>Invalid argument</source>
        <translation>Ungültiges Argument</translation>
    </message>
    <message>
        <source>Too many open files</source>
        <translation>Zu viele offene Dateien</translation>
    </message>
    <message>
        <source>Operation would block</source>
        <translation>Die Operation würde blockieren</translation>
    </message>
    <message>
        <source>Operation now in progress</source>
        <translation>Die Operation ist jetzt im Gange</translation>
    </message>
    <message>
        <source>Operation already in progress</source>
        <translation>Die Operation ist bereits im Gange</translation>
    </message>
    <message>
        <source>Socket operation on non-socket</source>
        <translation>Socket-Operation auf etwas, das kein Socket ist</translation>
    </message>
    <message>
        <source>Destination address required</source>
        <translation>Zieladresse erforderlich</translation>
    </message>
    <message>
        <source>Message too long</source>
        <translation>Nachricht zu lang</translation>
    </message>
    <message>
        <source>Protocol wrong type for socket</source>
        <translation>Protokoll vom falschen Typ für den Socket</translation>
    </message>
    <message>
        <source>Protocol not available</source>
        <translation>Protokoll nicht verfügbar</translation>
    </message>
    <message>
        <source>Protocol not supported</source>
        <translation>Protokoll nicht unterstützt</translation>
    </message>
    <message>
        <source>Socket type not supported</source>
        <translation>Socket-Typ nicht unterstützt</translation>
    </message>
    <message>
        <source>Operation not supported on socket</source>
        <translation>Operation auf dem Socket nicht unterstützt</translation>
    </message>
    <message>
        <source>Protocol family not supported</source>
        <translation>Protokollfamilie nicht unterstützt</translation>
    </message>
    <message>
        <source>Address family not supported by protocol family</source>
        <translation>Adressfamilie von der Protokollfamilie nicht unterstützt</translation>
    </message>
    <message>
        <source>Address already in use</source>
        <translation>Adresse wird bereits verwendet</translation>
    </message>
    <message>
        <source>Can&apos;t assign requested address</source>
        <translation>Die angeforderte Adresse kann nicht zugewiesen werden</translation>
    </message>
    <message>
        <source>Network is down</source>
        <translation>Das Netzwerk ist nicht in Betrieb</translation>
    </message>
    <message>
        <source>Network is unreachable</source>
        <translation>Das Netzwerk ist nicht erreichbar</translation>
    </message>
    <message>
        <source>Network dropped connection on reset</source>
        <translation>Das Netzwerk hat die Verbindung beim Zurücksetzen abgebrochen</translation>
    </message>
    <message>
        <source>Software caused connection abort</source>
        <translation>Verbindungsabbruch durch die Software</translation>
    </message>
    <message>
        <source>Connection reset by peer</source>
        <translation>Verbindung von der Gegenseite zurückgesetzt</translation>
    </message>
    <message>
        <source>No buffer space available</source>
        <translation>Kein Pufferspeicher verfügbar</translation>
    </message>
    <message>
        <source>Socket is already connected</source>
        <translation>Der Socket ist bereits verbunden</translation>
    </message>
    <message>
        <source>Socket is not connected</source>
        <translation>Der Socket ist nicht verbunden</translation>
    </message>
    <message>
        <source>Can&apos;t send after socket shutdown</source>
        <translation>Nach dem Schließen des Sockets kann nicht gesendet werden</translation>
    </message>
    <message>
        <source>Too many references: can&apos;t splice</source>
        <translation>Zu viele Verweise: Verknüpfen nicht möglich</translation>
    </message>
    <message>
        <source>Connection timed out</source>
        <translation>Zeitüberschreitung bei der Verbindung</translation>
    </message>
    <message>
        <source>Connection refused</source>
        <translation>Verbindung abgelehnt</translation>
    </message>
    <message>
        <source>Too many levels of symbolic links</source>
        <translation>Zu viele Ebenen symbolischer Verknüpfungen</translation>
    </message>
    <message>
        <source>File name too long</source>
        <translation>Dateiname zu lang</translation>
    </message>
    <message>
        <source>Host is down</source>
        <translation>Der Host ist nicht in Betrieb</translation>
    </message>
    <message>
        <source>No route to host</source>
        <translation>Keine Route zum Host</translation>
    </message>
    <message>
        <source>Directory not empty</source>
        <translation>Verzeichnis nicht leer</translation>
    </message>
    <message>
        <source>Too many processes</source>
        <translation>Zu viele Prozesse</translation>
    </message>
    <message>
        <source>Too many users</source>
        <translation>Zu viele Benutzer</translation>
    </message>
    <message>
        <source>Disc quota exceeded</source>
        <translation>Speicherkontingent überschritten</translation>
    </message>
    <message>
        <source>Stale NFS file handle</source>
        <translation>Veraltetes NFS-Datei-Handle</translation>
    </message>
    <message>
        <source>Too many levels of remote in path</source>
        <translation>Zu viele entfernte Ebenen im Pfad</translation>
    </message>
    <message>
        <source>Network sub-system is unusable</source>
        <translation>Das Netzwerk-Subsystem ist nicht nutzbar</translation>
    </message>
    <message>
        <source>WinSock DLL cannot support this application</source>
        <translation>Die WinSock-DLL kann diese Anwendung nicht unterstützen</translation>
    </message>
    <message>
        <source>WinSock not initialized</source>
        <translation>WinSock nicht initialisiert</translation>
    </message>
    <message>
        <source>Host not found</source>
        <translation>Host nicht gefunden</translation>
    </message>
    <message>
        <source>Non-authoritative host not found</source>
        <translation>Host nicht gefunden (nicht autoritative Antwort)</translation>
    </message>
    <message>
        <source>Non-recoverable error</source>
        <translation>Nicht behebbarer Fehler</translation>
    </message>
    <message>
        <source>No Data</source>
        <translation>Keine Daten</translation>
    </message>
    <message>
        <source>WINSOCK ERROR</source>
        <translation>WINSOCK-FEHLER</translation>
    </message>
    <message>
        <source>WINSOCK CALL CANCELED</source>
        <translation>WINSOCK-AUFRUF ABGEBROCHEN</translation>
    </message>
    <message>
        <source>No Port Specified</source>
        <translation>Kein Port angegeben</translation>
    </message>
    <message>
        <source>No IP Address Specified</source>
        <translation>Keine IP-Adresse angegeben</translation>
    </message>
    <message>
        <source>Blocking call timed out</source>
        <translation>Zeitüberschreitung beim blockierenden Aufruf</translation>
    </message>
    <message>
        <source>the server&apos;s certificate is not trusted: </source>
        <translation>dem Zertifikat des Servers wird nicht vertraut: </translation>
    </message>
    <message>
        <source>the secure connection failed: </source>
        <translation>die gesicherte Verbindung ist fehlgeschlagen: </translation>
    </message>
    <message>
        <source>the server closed the connection before it was secured</source>
        <translation>der Server hat die Verbindung geschlossen, bevor sie gesichert war</translation>
    </message>
    <message>
        <source>Reach the relay over &amp;TLS (port 5349 unless given; its certificate is checked)</source>
        <translation>Relais über &amp;TLS erreichen (Port 5349, wenn keiner angegeben ist; sein Zertifikat wird geprüft)</translation>
    </message>
</context>
</TS>

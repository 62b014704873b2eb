#!/usr/bin/python3
"""Reads a running card program's window over AT-SPI, as a screen reader does.

atspi_table.py varenta: finds the table, its stock, pile and every card of
the player's hand by role and name, reads the score fields, presses the
stock through its accessible action and waits for the status line to
announce the next step.

atspi_table.py kiv: answers the box of a first start, finds the table, its
stock, pile, the four seats and every card of the hand by role and name,
reads the status panes, presses the stock and waits for the new count and
for the computer seats' moves to be announced.

Exits 0 when all of it holds, 1 with the reason.
"""
import re
import sys
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import GLib  # noqa: E402
import pyatspi  # noqa: E402

DEADLINE_S = 60  # the program starts under a sanitizer on a busy machine


def walk(node, depth=0):
    if node is None or depth > 40:
        return
    yield node
    for i in range(node.childCount):
        yield from walk(node.getChildAtIndex(i), depth + 1)


def find_app(name):
    desktop = pyatspi.Registry.getDesktop(0)
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None and app.name.lower() == name:
            return app
    return None


def wait_for(what, probe):
    end = time.monotonic() + DEADLINE_S
    while time.monotonic() < end:
        GLib.MainContext.default().iteration(False)
        found = probe()
        if found:
            return found
        time.sleep(0.1)
    sys.exit(f"FAIL: {what} did not appear within {DEADLINE_S} s")


def role(node):
    return node.getRoleName()


def varenta():
    app = wait_for("the varenta application on the accessibility bus", lambda: find_app("varenta"))

    def table_with_hand():
        for node in walk(app):
            if node.name == "Varenta table" and node.childCount > 3:
                return node
        return None

    table = wait_for("the dealt table", table_with_hand)
    items = [table.getChildAtIndex(i) for i in range(table.childCount)]
    names = [item.name for item in items]
    stock = [i for i in items if i.name.startswith("Stock: ") and role(i) == "push button"]
    pile = [i for i in items if i.name.startswith("Discard pile: ") and role(i) == "push button"]
    hand = [i for i in items if role(i) == "push button" and
            (" in your hand" in i.name or ", the only " in i.name)]
    if len(stock) != 1 or len(pile) != 1:
        sys.exit(f"FAIL: no stock or pile among {names}")
    if len(hand) < 11:
        sys.exit(f"FAIL: only {len(hand)} hand cards among {names}")
    print(f"table: {stock[0].name}; {pile[0].name}; {len(hand)} hand cards, e.g. {hand[0].name}")

    labels = {node.name: node for node in walk(app) if role(node) == "label"}
    for field in ("Your Current Meld", "Computer's Current Meld", "Your Current Score",
                  "Computer's Current Score"):
        if field not in labels:
            sys.exit(f"FAIL: no score field named {field!r} among {sorted(labels)}")
        value = labels[field].description
        if not value.lstrip("-").isdigit():
            sys.exit(f"FAIL: {field} reads {value!r}")
        print(f"{field}: {value}")

    heard = []
    pyatspi.Registry.registerEventListener(
        lambda event: heard.append(event.source.name), "object:property-change:accessible-name")
    before = stock[0].name
    action = stock[0].queryAction()
    names_of_actions = [action.getName(i) for i in range(action.nActions)]
    if "Press" not in names_of_actions:
        sys.exit(f"FAIL: the stock has the actions {names_of_actions}")
    # The program deals; whose turn it is the computer decides first.
    draw_hint = "Meld a card by clicking it, discard a card by right-clicking it"
    wait_for("the player's turn", lambda: any(
        n.name.startswith("Draw a card") for n in walk(app) if role(n) == "label"))
    action.doAction(names_of_actions.index("Press"))
    wait_for("the announcement after drawing", lambda: draw_hint in heard)
    after = wait_for("the stock's new count", lambda: stock[0].name if stock[0].name != before else None)
    print(f"pressed the stock: {before} -> {after}; heard {draw_hint!r}")
    return 0


KIV_CARD = re.compile(r"^(Karo|Herz|Pik|Kreuz) (Sieben|Acht|Neun|Zehn|Bube|Dame|König|As)$")


def kiv():
    app = wait_for("the kiv application on the accessibility bus", lambda: find_app("kiv"))

    def table_with_hand():
        try:
            nodes = list(walk(app))
            for node in nodes:
                if node.name == "Spieltisch" and node.childCount >= 6 + 5:
                    return node
            # A first start without kiv32.ini says so in a box; a user answers it.
            for node in nodes:
                if role(node) == "push button" and node.name == "OK":
                    node.queryAction().doAction(0)
                    break
        except GLib.Error:
            pass  # the box went while it was read
        return None

    table = wait_for("the dealt table", table_with_hand)
    items = [table.getChildAtIndex(i) for i in range(table.childCount)]
    names = [item.name for item in items]
    stock = [i for i in items if i.name.startswith("Stapel: ") and role(i) == "push button"]
    pile = [i for i in items if i.name.startswith("Ablagestapel: ") and role(i) == "label"]
    seats = [i for i in items if role(i) == "label" and " Punkte" in i.name]
    hand = [i for i in items if role(i) == "push button" and KIV_CARD.match(i.name)]
    if len(stock) != 1 or len(pile) != 1:
        sys.exit(f"FAIL: no stock or pile among {names}")
    if len(seats) != 4:
        sys.exit(f"FAIL: {len(seats)} seats among {names}")
    if len(hand) != 5:
        sys.exit(f"FAIL: {len(hand)} hand cards among {names}")
    print(f"table: {stock[0].name}; {pile[0].name}; {len(hand)} hand cards: "
          + ", ".join(card.name for card in hand))
    print("seats: " + "; ".join(seat.name for seat in seats))

    labels = [node.name for node in walk(app) if role(node) == "label"]
    if not any(name in ("Bereit", "Ready") for name in labels):
        sys.exit(f"FAIL: no status pane reads as ready among {labels}")

    heard = []
    pyatspi.Registry.registerEventListener(
        lambda event: heard.append(event.source.name), "object:property-change:accessible-name")
    wait_for("seat 1's turn", lambda: "Am Zug" in seats[0].name)
    before = stock[0].name
    action = stock[0].queryAction()
    names_of_actions = [action.getName(i) for i in range(action.nActions)]
    if "Press" not in names_of_actions:
        sys.exit(f"FAIL: the stock has the actions {names_of_actions}")

    def box_answered():
        for node in walk(app):
            if role(node) == "push button" and node.name == "OK":
                node.queryAction().doAction(0)
                return True
        return False

    # Seat 1 draws until its turn ends: a seven turned up asks for two cards;
    # on an eight the draw is refused in a box, and the seat sits out by the
    # menu's "Nächster Spieler".
    def computer_moved():
        return any("(Rechner)" in name for name in heard)

    # The menu's item shows only while its menu is open; the tool bar's
    # button for the same command always does.
    def seat_sits_out():
        for node in walk(app):
            if role(node) in ("menu item", "push button") and node.name.startswith(
                    "Nächster Spieler"):
                press = node.queryAction()
                actions = [press.getName(i) for i in range(press.nActions)]
                press.doAction(actions.index("Press"))
                return True
        return False

    for _ in range(4):
        if "Am Zug" not in seats[0].name or computer_moved():
            break
        table_before = (stock[0].name, pile[0].name)
        action.doAction(names_of_actions.index("Press"))

        # The computer seats may already have moved and handed the turn back.
        def moved():
            return "Am Zug" not in seats[0].name or (stock[0].name, pile[0].name) != table_before

        def moved_or_refused():
            try:
                if moved():
                    return "moved"
                return "refused" if box_answered() else None
            except GLib.Error:
                return None  # the box came or went while it was read

        if wait_for("seat 1's move to show, or a box", moved_or_refused) == "refused":
            wait_for("the menu's Nächster Spieler", seat_sits_out)
            print("the draw was refused; seat 1 sat out by the menu")
            wait_for("seat 1's turn to end", moved)
    after = stock[0].name
    # Drawing ends the turn: the computer seats move and lay cards, and the
    # table tells the seats' and the pile's new names (read when heard, so
    # they may already be later ones).
    wait_for("the computer seats' moves announced", lambda: computer_moved() and any(
        name.startswith("Ablagestapel: ") for name in heard))
    print(f"pressed the stock: {before} -> {after}; heard {len(heard)} new names, "
          f"e.g. {heard[-1]!r}")
    return 0


if __name__ == "__main__":
    program = sys.argv[1] if len(sys.argv) > 1 else "varenta"
    sys.exit({"varenta": varenta, "kiv": kiv}[program]())

#!/usr/bin/env python3
"""Deals of the twelve games, worked out from the rules alone (not from the
engine): the card order, the generator and shuffle, the stock filled in card
order with the last card on top, seeds pulled from the stock with the skipped
cards put back reversed, and the piles dealt in pile order. Prints the table
in the engine's text form; deals.txt holds its output for a few numbers."""

M = 0x3FFFFFFF


class Random:
    def __init__(self, s):
        self.t = [0] * 55
        self.t[0] = s & M
        self.t[1] = 1
        for k in range(2, 55):
            self.t[k] = (self.t[k - 2] + self.t[k - 1]) & M
        self.i, self.j = 0, 31

    def next(self):
        c = (self.t[self.i] + self.t[self.j]) & M
        self.t[self.i] = c
        self.i = (self.i + 1) % 55
        self.j = (self.j + 1) % 55
        return c >> 6

    def draw(self, n):
        m = abs(n)
        b = 2
        while b < m:
            b <<= 1
        return (self.next() & (b - 1)) % m


def cards(decks, suits):
    order = {1: [1, 1, 1, 1], 2: [1, 2, 1, 2], 4: [1, 2, 0, 3]}[suits]
    return [(r, s) for _ in range(decks) for r in range(1, 14) for s in order]


def shuffle(deck, number):
    rnd = Random(number)
    n = len(deck)
    for _ in range(n):
        a = rnd.draw(n)
        b = rnd.draw(n)
        deck[a], deck[b] = deck[b], deck[a]


class Table:
    def __init__(self, decks, suits, number, stock_up=False):
        deck = cards(decks, suits)
        shuffle(deck, number)
        self.stock = [[r, s, stock_up] for r, s in deck]  # bottom first: the last card on top
        self.piles = []

    def pile(self, kind):
        self.piles.append((kind, []))
        return self.piles[-1][1]

    def seed(self, pile, rank, suit):
        skipped = []
        while self.stock:
            c = self.stock.pop()
            if c[0] == rank and (suit == 4 or c[1] == suit):
                c[2] = True
                pile.append(c)
                break
            skipped.append(c)
        for c in skipped:
            self.stock.append(c)

    def deal(self, pile, count, up):
        for i in range(count):
            c = self.stock.pop()
            c[2] = up(i, count)
            pile.append(c)

    def first_card(self):
        c = self.stock.pop()
        c[2] = True
        self.foundations[0].append(c)

    def text(self, keep_stock=True):
        if keep_stock:
            self.piles.append(("stock", self.stock))
        out = []
        for i, (kind, cs) in enumerate(self.piles):
            out.append(f"{i} {kind}:" + "".join(f" {r}.{s}{'u' if up else 'd'}" for r, s, up in cs))
        return "\n".join(out) + "\n"


ALL = lambda i, n: True
DOWN = lambda i, n: False
LAST = lambda i, n: i == n - 1
LAST5 = lambda i, n: i >= n - 5


def klondike(n):
    t = Table(1, 4, n)
    t.pile("waste")
    t.foundations = [t.pile("foundation") for _ in range(4)]
    for count in range(7, 0, -1):  # the first tableau pile is column 6
        t.deal(t.pile("tableau"), count, LAST)
    return t.text()


def freecell(n):
    t = Table(1, 4, n)
    for _ in range(4):
        t.pile("foundation")
    for count in [6, 6, 6, 6, 7, 7, 7, 7]:  # columns 7 down to 0
        t.deal(t.pile("tableau"), count, ALL)
    for _ in range(4):
        t.pile("cell")
    return t.text(keep_stock=False)


def spider(n):
    t = Table(2, 1, n)
    for _ in range(8):
        t.pile("foundation")
    for count in [5] * 6 + [6] * 4:
        t.deal(t.pile("tableau"), count, LAST)
    return t.text()


def calc(n):
    t = Table(1, 4, n, stock_up=True)
    for rank in [4, 3, 2, 1]:
        t.seed(t.pile("foundation"), rank, 0)
    for _ in range(4):
        t.pile("tableau")
    return t.text()


def golf(n):
    t = Table(1, 4, n)
    t.foundations = [t.pile("foundation")]
    for _ in range(7):
        t.deal(t.pile("tableau"), 5, ALL)
    t.first_card()
    return t.text()


def idiot(n):
    t = Table(1, 4, n)
    t.pile("waste")
    for _ in range(4):
        t.deal(t.pile("tableau"), 1, ALL)
    return t.text()


def canfield(n):
    t = Table(1, 4, n)
    t.pile("waste")
    t.foundations = [t.pile("foundation") for _ in range(4)]
    for _ in range(4):
        t.deal(t.pile("tableau"), 1, ALL)
    t.deal(t.pile("reserve"), 13, ALL)
    t.first_card()
    return t.text()


def clock(n):
    t = Table(1, 4, n)
    for k in range(13):
        t.deal(t.pile("reserve"), 4, LAST if k == 12 else DOWN)
    return t.text(keep_stock=False)


def four_corners(n):
    t = Table(1, 4, n)
    t.pile("waste")
    t.seed(t.pile("foundation"), 1, 4)  # the corner built last seeds an ace
    for _ in range(3):
        t.pile("foundation")
    for _ in range(5):
        t.deal(t.pile("tableau"), 1, ALL)
    return t.text()


def yukon(n):
    t = Table(1, 4, n)
    for _ in range(4):
        t.pile("foundation")
    for count in [11, 10, 9, 8, 7, 6, 1]:
        t.deal(t.pile("tableau"), count, LAST5)
    return t.text(keep_stock=False)


def sultan(n):
    t = Table(2, 4, n)
    t.pile("waste")
    for rank, suit in [(13, 3), (13, 0), (13, 3), (13, 2), (13, 0), (13, 2), (13, 1), (1, 0), (13, 1)]:
        t.seed(t.pile("foundation"), rank, suit)
    for _ in range(8):
        t.deal(t.pile("reserve"), 1, ALL)
    return t.text()


def pyramid(n):
    t = Table(1, 4, n)
    t.pile("waste")
    t.pile("foundation")
    for _ in range(28):
        t.deal(t.pile("reserve"), 1, ALL)
    return t.text()


GAMES = [klondike, freecell, spider, calc, golf, idiot, canfield, clock, four_corners, yukon, sultan, pyramid]

if __name__ == "__main__":
    for game, builder in enumerate(GAMES, start=1):
        for number in [1, 2, 9999999]:
            print(f"game {game} deal {number}")
            print(builder(number), end="")

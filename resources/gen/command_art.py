"""The pictures of a business program's commands, drawn at any size: each
function draws one picture on a canvas of s x s pixels, in a coordinate
system of 16 units to the side (u = s / 16), with true-colour gradients.

PICTURES maps a picture's name to its function; the generators pick from it.
"""
from raster import vertical

INK = (40, 48, 64, 255)
PAPER = (255, 255, 255, 255)
PAPER_EDGE = (120, 128, 140, 255)
BLUE = (38, 100, 196, 255)
LIGHT_BLUE = (120, 176, 236, 255)
GREEN = (40, 150, 60, 255)
RED = (206, 50, 40, 255)
YELLOW = (246, 200, 70, 255)
ORANGE = (232, 140, 40, 255)
GREY = (150, 156, 166, 255)
DARK_GREY = (90, 96, 106, 255)


def page(c, u, x0=3, y0=1, x1=13, y1=15, fold=3):
    """A sheet of paper with its top-right corner folded."""
    c.polygon([(x0 * u, y0 * u), ((x1 - fold) * u, y0 * u), (x1 * u, (y0 + fold) * u), (x1 * u, y1 * u),
               (x0 * u, y1 * u)], PAPER_EDGE)
    c.polygon([((x0 + 1) * u, (y0 + 1) * u), ((x1 - fold) * u, (y0 + 1) * u), ((x1 - 1) * u, (y0 + fold + 0.5) * u),
               ((x1 - 1) * u, (y1 - 1) * u), ((x0 + 1) * u, (y1 - 1) * u)],
              vertical((255, 255, 255, 255), (226, 232, 242, 255), y0 * u, y1 * u))
    c.polygon([((x1 - fold) * u, y0 * u), ((x1 - fold) * u, (y0 + fold) * u), (x1 * u, (y0 + fold) * u)],
              (210, 216, 226, 255))


def text_lines(c, u, x0, x1, ys, colour=LIGHT_BLUE):
    for y in ys:
        c.rect(x0 * u, y * u, x1 * u, (y + 1) * u, colour)


def new_document(c, u):
    page(c, u)
    text_lines(c, u, 5, 11, (7, 9, 11))
    c.ellipse(12 * u, 12 * u, 3.2 * u, 3.2 * u, (255, 210, 60, 255))
    c.line(12 * u, 9.8 * u, 12 * u, 14.2 * u, 1.2 * u, (200, 120, 0, 255))
    c.line(9.8 * u, 12 * u, 14.2 * u, 12 * u, 1.2 * u, (200, 120, 0, 255))


def open_folder(c, u):
    c.polygon([(1 * u, 3 * u), (6 * u, 3 * u), (7 * u, 5 * u), (14 * u, 5 * u), (14 * u, 13 * u), (1 * u, 13 * u)],
              vertical((222, 170, 50, 255), (176, 120, 20, 255), 3 * u, 13 * u))
    c.rect(4 * u, 6 * u, 13 * u, 11 * u, PAPER)
    c.polygon([(3 * u, 8 * u), (15.5 * u, 8 * u), (13.5 * u, 14 * u), (1 * u, 14 * u)],
              vertical((255, 224, 120, 255), (236, 172, 40, 255), 8 * u, 14 * u))


def save(c, u):
    c.rect(2 * u, 2 * u, 14 * u, 14 * u, vertical((70, 120, 210, 255), (30, 70, 150, 255), 2 * u, 14 * u))
    c.rect(4.5 * u, 2 * u, 11.5 * u, 7 * u, vertical((250, 250, 250, 255), (214, 220, 230, 255), 2 * u, 7 * u))
    c.rect(9 * u, 3 * u, 10.5 * u, 6 * u, DARK_GREY)
    c.rect(4 * u, 9.5 * u, 12 * u, 14 * u, (232, 236, 242, 255))
    text_lines(c, u, 5, 11, (10.5, 12.2), (170, 180, 196, 255))


def printer(c, u):
    c.rect(4 * u, 1.5 * u, 12 * u, 7 * u, PAPER_EDGE)
    c.rect(5 * u, 2.5 * u, 11 * u, 7 * u, PAPER)
    c.rect(1 * u, 6 * u, 15 * u, 12 * u, vertical((200, 204, 212, 255), (120, 126, 136, 255), 6 * u, 12 * u))
    c.ellipse(12.5 * u, 8 * u, 0.8 * u, 0.8 * u, (60, 200, 80, 255))
    c.rect(4 * u, 10 * u, 12 * u, 15 * u, PAPER_EDGE)
    c.rect(5 * u, 10 * u, 11 * u, 14 * u, PAPER)
    text_lines(c, u, 6, 10, (11, 12.5), GREY)


def preview(c, u):
    page(c, u, 2, 1, 12, 15)
    text_lines(c, u, 4, 10, (6, 8, 10))
    c.ring(10 * u, 10 * u, 3.6 * u, 1.4 * u, DARK_GREY)
    c.ellipse(10 * u, 10 * u, 2.3 * u, 2.3 * u, (190, 220, 250, 190))
    c.line(12.6 * u, 12.6 * u, 15 * u, 15 * u, 2 * u, (110, 70, 30, 255))


def cut(c, u):
    c.line(5 * u, 1.5 * u, 10.5 * u, 10 * u, 1.3 * u, GREY)
    c.line(11 * u, 1.5 * u, 5.5 * u, 10 * u, 1.3 * u, GREY)
    c.ring(4.5 * u, 12 * u, 2.6 * u, 1.2 * u, RED)
    c.ring(11.5 * u, 12 * u, 2.6 * u, 1.2 * u, RED)


def copy(c, u):
    page(c, u, 1, 1, 10, 12, 2.5)
    text_lines(c, u, 3, 8, (5, 7, 9))
    page(c, u, 6, 4, 15, 15, 2.5)
    text_lines(c, u, 8, 13, (8, 10, 12))


def paste(c, u):
    c.rect(2 * u, 2.5 * u, 12 * u, 15 * u, vertical((196, 140, 80, 255), (150, 98, 46, 255), 2 * u, 15 * u))
    c.rect(4.5 * u, 1.5 * u, 9.5 * u, 4 * u, DARK_GREY)
    page(c, u, 7, 6, 15, 15, 2.5)
    text_lines(c, u, 9, 13, (9.5, 11.5, 13))


def find(c, u):
    c.ring(6.5 * u, 6.5 * u, 5 * u, 1.6 * u, DARK_GREY)
    c.ellipse(6.5 * u, 6.5 * u, 3.4 * u, 3.4 * u, vertical((220, 240, 255, 220), (150, 200, 245, 220), 3 * u, 10 * u))
    c.line(10.2 * u, 10.2 * u, 14.5 * u, 14.5 * u, 2.6 * u, (110, 70, 30, 255))


def rouble(c, u, cx, cy, size, colour):
    """The rouble sign, size units high, centred at (cx, cy)."""
    k = size / 8.0
    stroke = 1.2 * u * k
    left = (cx - 2 * k) * u
    c.line(left, (cy - 4 * k) * u, left, (cy + 4 * k) * u, stroke, colour)
    c.ring((cx - 0.2 * k) * u, (cy - 1.6 * k) * u, 2.4 * k * u, stroke, colour)
    c.rect((cx - 3.6 * k) * u, (cy + 1.4 * k) * u, (cx + 1.2 * k) * u, (cy + 2.6 * k) * u, colour)
    c.rect(left, (cy - 4 * k) * u, (cx - 0.2 * k) * u, (cy - 4 * k) * u + stroke, colour)
    c.rect(left, (cy + 0.8 * k) * u - stroke, (cx - 0.2 * k) * u, (cy + 0.8 * k) * u, colour)


def invoice(c, u):
    page(c, u)
    text_lines(c, u, 5, 9, (4, 6))
    rouble(c, u, 8.5, 10.5, 6, GREEN)


def waybill(c, u):
    c.rect(1 * u, 4 * u, 10 * u, 11 * u, vertical((80, 140, 220, 255), (40, 90, 170, 255), 4 * u, 11 * u))
    c.polygon([(10 * u, 6 * u), (13 * u, 6 * u), (15 * u, 8.5 * u), (15 * u, 11 * u), (10 * u, 11 * u)],
              vertical((236, 90, 70, 255), (180, 40, 30, 255), 6 * u, 11 * u))
    c.rect(11 * u, 7 * u, 13 * u, 8.5 * u, (210, 235, 255, 255))
    for x in (4, 12):
        c.ellipse(x * u, 12 * u, 1.8 * u, 1.8 * u, INK)
        c.ellipse(x * u, 12 * u, 0.7 * u, 0.7 * u, GREY)


def act(c, u):
    page(c, u)
    text_lines(c, u, 5, 11, (4, 6, 8))
    c.line(5 * u, 11.5 * u, 7 * u, 13.5 * u, 1.6 * u, GREEN)
    c.line(7 * u, 13.5 * u, 11.5 * u, 9 * u, 1.6 * u, GREEN)


def bank(c, u):
    c.polygon([(8 * u, 1 * u), (15 * u, 5 * u), (1 * u, 5 * u)], vertical((200, 170, 110, 255), (160, 126, 70, 255),
                                                                        1 * u, 5 * u))
    for x in (2.5, 5.5, 9, 12):
        c.rect(x * u, 6 * u, (x + 1.5) * u, 12 * u, vertical((236, 226, 206, 255), (190, 176, 150, 255), 6 * u,
                                                             12 * u))
    c.rect(1 * u, 12 * u, 15 * u, 14.5 * u, (140, 110, 64, 255))


def coins(c, u, arrow_colour, inward):
    for y in (12, 10, 8):
        c.ellipse(6 * u, y * u, 4.5 * u, 2 * u, (196, 150, 30, 255))
        c.ellipse(6 * u, (y - 0.6) * u, 4.5 * u, 1.8 * u, vertical((255, 226, 110, 255), (230, 180, 50, 255),
                                                                   (y - 2.4) * u, (y + 1.2) * u))
    x = 13
    d = 1 if inward else -1
    ya, yb = (1.5, 8) if inward else (8.5, 3)
    c.line(x * u, ya * u, x * u, (yb - d) * u, 1.8 * u, arrow_colour)
    c.polygon([((x - 2.6) * u, (yb - 2 * d) * u), ((x + 2.6) * u, (yb - 2 * d) * u), (x * u, (yb + 1.5 * d) * u)],
              arrow_colour)


def cash_in(c, u):
    coins(c, u, GREEN, True)


def cash_out(c, u):
    coins(c, u, RED, False)


def people(c, u):
    for x, tone in ((5, (60, 120, 200, 255)), (11, (220, 110, 50, 255))):
        c.ellipse(x * u, 5 * u, 2.4 * u, 2.4 * u, (238, 196, 160, 255))
        c.shape(lambda px, py, x=x: ((px - x * u) / (4 * u)) ** 2 + ((py - 15 * u) / (6 * u)) ** 2 <= 1 and py <= 15 * u,
                vertical(tuple(min(255, v + 50) for v in tone[:3]) + (255,), tone, 9 * u, 15 * u))


def box(c, u):
    c.polygon([(2 * u, 5 * u), (8 * u, 2 * u), (14 * u, 5 * u), (8 * u, 8 * u)], (230, 190, 130, 255))
    c.polygon([(2 * u, 5 * u), (8 * u, 8 * u), (8 * u, 15 * u), (2 * u, 12 * u)], (196, 146, 80, 255))
    c.polygon([(8 * u, 8 * u), (14 * u, 5 * u), (14 * u, 12 * u), (8 * u, 15 * u)], (170, 120, 60, 255))
    c.line(5 * u, 3.5 * u, 11 * u, 6.5 * u, 1.2 * u, (250, 240, 220, 255))


def warehouse(c, u):
    c.polygon([(8 * u, 1.5 * u), (15 * u, 6 * u), (1 * u, 6 * u)], vertical((200, 70, 60, 255), (150, 40, 30, 255),
                                                                          1.5 * u, 6 * u))
    c.rect(2 * u, 6 * u, 14 * u, 15 * u, vertical((230, 226, 214, 255), (186, 180, 166, 255), 6 * u, 15 * u))
    c.rect(5 * u, 9 * u, 11 * u, 15 * u, (120, 96, 70, 255))
    for y in (10.5, 12.5):
        c.rect(5 * u, y * u, 11 * u, (y + 0.6) * u, (90, 70, 50, 255))


def report(c, u):
    c.rect(1 * u, 1 * u, 15 * u, 15 * u, PAPER_EDGE)
    c.rect(2 * u, 2 * u, 14 * u, 14 * u, PAPER)
    for x, h, tone in ((3.5, 5, BLUE), (6.5, 9, GREEN), (9.5, 7, ORANGE), (12, 10.5, RED)):
        c.rect(x * u, (13 - h) * u, (x + 1.8) * u, 13 * u, vertical(tuple(min(255, v + 60) for v in tone[:3]) + (255,),
                                                                    tone, (13 - h) * u, 13 * u))


def stock(c, u):
    for x, y in ((1, 8), (8, 8), (4.5, 2)):
        c.rect(x * u, y * u, (x + 7) * u, (y + 6) * u, vertical((236, 196, 136, 255), (186, 136, 70, 255), y * u,
                                                                (y + 6) * u))
        c.frame(x * u, y * u, (x + 7) * u, (y + 6) * u, (140, 96, 40, 255), max(1.0, u * 0.8))
        c.rect((x + 2.5) * u, y * u, (x + 4.5) * u, (y + 2) * u, (250, 236, 200, 255))


def calculator(c, u):
    c.rect(3 * u, 1 * u, 13 * u, 15 * u, vertical((110, 118, 130, 255), (60, 66, 78, 255), 1 * u, 15 * u))
    c.rect(4.5 * u, 2.5 * u, 11.5 * u, 5.5 * u, (190, 230, 190, 255))
    for row in range(3):
        for col in range(3):
            tone = ORANGE if col == 2 and row == 2 else (236, 238, 242, 255)
            x, y = 4.5 + col * 2.5, 7 + row * 2.5
            c.rect(x * u, y * u, (x + 1.8) * u, (y + 1.8) * u, tone)


def settings(c, u):
    import math
    teeth = []
    for i in range(16):
        a = i * math.pi / 8
        r = 7 if i % 2 == 0 else 5.2
        for da in (-0.17, 0.17):
            teeth.append(((8 + r * math.cos(a + da)) * u, (8 + r * math.sin(a + da)) * u))
    c.polygon(teeth, vertical((170, 176, 188, 255), (100, 106, 118, 255), 1 * u, 15 * u))
    c.ellipse(8 * u, 8 * u, 2.6 * u, 2.6 * u, (70, 76, 88, 255))
    c.ellipse(8 * u, 8 * u, 1.8 * u, 1.8 * u, (236, 240, 246, 255))


def hot_keys(c, u):
    c.rect(1 * u, 4 * u, 15 * u, 13 * u, vertical((250, 250, 252, 255), (206, 210, 218, 255), 4 * u, 13 * u))
    c.frame(1 * u, 4 * u, 15 * u, 13 * u, DARK_GREY, max(1.0, u * 0.8))
    for row, y in enumerate((6, 8.5)):
        for col in range(5 - row):
            x = 2.5 + col * 2.4 + row * 1.2
            c.rect(x * u, y * u, (x + 1.6) * u, (y + 1.6) * u, GREY)
    c.rect(4.5 * u, 11 * u, 11.5 * u, 12 * u, GREY)


def exit_door(c, u):
    c.rect(3 * u, 1 * u, 11 * u, 15 * u, vertical((170, 120, 70, 255), (120, 80, 40, 255), 1 * u, 15 * u))
    c.ellipse(9.3 * u, 8 * u, 0.8 * u, 0.8 * u, YELLOW)
    c.line(9 * u, 12 * u, 15 * u, 12 * u, 1.6 * u, RED)
    c.polygon([(15.5 * u, 12 * u), (12.5 * u, 9.5 * u), (12.5 * u, 14.5 * u)], RED)


PICTURES = {
    "new": new_document, "open": open_folder, "save": save, "print": printer, "preview": preview,
    "cut": cut, "copy": copy, "paste": paste, "find": find,
    "invoice": invoice, "waybill": waybill, "act": act, "bank": bank, "cash_in": cash_in, "cash_out": cash_out,
    "people": people, "goods": box, "warehouse": warehouse, "report": report, "stock": stock,
    "calculator": calculator, "settings": settings, "hot_keys": hot_keys, "exit": exit_door,
}


def draw(name, size):
    """The named picture on a transparent canvas of size x size pixels."""
    from raster import Canvas
    c = Canvas(size, size)
    PICTURES[name](c, size / 16.0)
    return c

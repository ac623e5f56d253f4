#!/usr/bin/env python3
"""Writes examples/card.svg: an A4 sheet of ten 91 x 55 mm business cards, drawn in
millimetres as an editor saves it. Each card is a record slot whose template groups carry
the scripts: name, company, address in two sizes of type, photo, a QR code of the web
address and a JAN code."""
import sys
from xml.sax.saxutils import quoteattr

NAME = "[氏名]"
COMPANY = "[会社]"
ADDRESS = "<font size=7pt>〒[郵便番号]</font>\r[住所]\r<font size=6pt>[ウェブ]</font>"
PHOTO = ("<HTML><BODY><TABLE CELLPADDING=0 CELLSPACING=0><TR><TD WIDTH=0 HEIGHT=0 "
         "ALIGN=CENTER VALIGN=MIDDLE><IMG SRC=\"file://[写真]\"></TD></TR></TABLE></BODY></HTML>")
QR = ("<HTML><BODY><TABLE CELLPADDING=0 CELLSPACING=0><TR><TD WIDTH=0 HEIGHT=0 ALIGN=CENTER "
      "VALIGN=MIDDLE><BARCODE TYPE=QRCODE ECCLEVEL=M VERSION=AUTO ENCODEMODE=AUTO "
      "SHOWHRTEXT=FALSE CELLSIZE=0.4 DATA=\"[ウェブ]\"></TD></TR></TABLE></BODY></HTML>")
JAN = ("<HTML><BODY><TABLE CELLPADDING=0 CELLSPACING=0><TR><TD WIDTH=0 HEIGHT=0 ALIGN=LEFT "
       "VALIGN=BOTTOM><BARCODE TYPE=JAN_LONG TOJI=RIGHT ELEMENTSIZE=0.8 DATA=\"[JAN]\" "
       "SHOWHRTEXT=TRUE CHECKDIGIT=TRUE TRUNCHEIGHT=10></TD></TR></TABLE></BODY></HTML>")

def attr(script):
    return quoteattr(script).replace("\r", "&#13;")

def card(n, ox, oy):
    boxes = {
        "address": (ox + 6, oy + 23, 56, 15),
        "photo": (ox + 64, oy + 5, 22, 28),
        "qr": (ox + 67, oy + 35, 19, 19),
        "jan": (ox + 6, oy + 39, 36, 15),
    }
    defs = "".join(
        f'    <rect id="card{n}-{k}-box" x="{x:g}" y="{y:g}" width="{w:g}" height="{h:g}"/>\n'
        for k, (x, y, w, h) in boxes.items())
    def point(frame, x, y, size, script, sample):
        return (f'      <g id="card{n}-{frame}-group" vardotag:vardo2_group="">\n'
                f'        <text id="card{n}-{frame}" x="{x:g}" y="{y:g}" '
                f'style="font-family:IPAGothic;font-size:{size}px" '
                f'vardotag:vardo2_script={attr(script)}>{sample}</text>\n      </g>\n')
    def area(frame, script, sample):
        return (f'      <g id="card{n}-{frame}-group" vardotag:vardo2_group="">\n'
                f'        <text id="card{n}-{frame}" style="shape-inside:url(#card{n}-{frame}-box);'
                f'font-family:IPAGothic;font-size:3.175px" '
                f'vardotag:vardo2_script={attr(script)}>{sample}</text>\n      </g>\n')
    body = (f'    <g id="card{n}">\n'
            f'      <rect id="card{n}-edge" x="{ox:g}" y="{oy:g}" width="91" height="55" '
            f'style="fill:none;stroke:#999999;stroke-width:0.25"/>\n'
            + point("name", ox + 6, oy + 12, "5.64444", NAME, "Name")
            + point("company", ox + 6, oy + 19, "3.175", COMPANY, "Company")
            + area("address", ADDRESS, "Address")
            + area("photo", PHOTO, "Photo")
            + area("qr", QR, "QR")
            + area("jan", JAN, "JAN")
            + '    </g>\n')
    return defs, body

defs, cards = "", ""
for i in range(10):
    d, c = card(i + 1, 14 + 91 * (i % 2), 11 + 55 * (i // 2))
    defs += d
    cards += c
sys.stdout.write(
    '<?xml version="1.0" encoding="UTF-8"?>\n'
    '<!-- A sheet of ten business cards drawn in millimetres: each record slot holds template\n'
    '     groups whose text frames carry the scripts (name, company, the address in two sizes\n'
    '     of type, the photo named by the data, a QR code of the web address, a JAN code). -->\n'
    '<svg xmlns="http://www.w3.org/2000/svg" '
    'xmlns:inkscape="http://www.inkscape.org/namespaces/inkscape" '
    'xmlns:vardotag="urn:vardo:tag:1" width="210mm" height="297mm" viewBox="0 0 210 297">\n'
    '  <defs>\n' + defs + '  </defs>\n'
    '  <g inkscape:groupmode="layer" inkscape:label="Cards" id="cards">\n' + cards + '  </g>\n'
    '</svg>\n')

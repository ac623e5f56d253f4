#!/usr/bin/env python3
"""Writes the business-card job both programs of merge_vs_glabels.sh run.

usage: make_cards.py DIR RECORDS

DIR/cards.csv   RECORDS people: name, company, web address (UTF-8)
DIR/card.svg    a US-Letter sheet of ten 3.5 x 2 in cards (two columns of
                five), each a record slot with the name (12 pt bold), the
                company (10 pt) and a QR code of the web address
DIR/cards.glabels  the same sheet for glabels-3-batch, merging cards.csv
"""
import sys

dir_, records = sys.argv[1], int(sys.argv[2])

with open(f"{dir_}/cards.csv", "w", encoding="utf-8", newline="") as f:
    f.write("name,company,url\r\n")
    for r in range(1, records + 1):
        f.write(f"Person {r},Company {r % 97} Ltd,https://example.com/p/{r}\r\n")

QR = ("&lt;HTML&gt;&lt;BODY&gt;&lt;BARCODE TYPE=QRCODE ECCLEVEL=M VERSION=AUTO ENCODEMODE=AUTO "
      "SHOWHRTEXT=FALSE CELLSIZE=0.5 DATA=&quot;[url]&quot;&gt;&lt;/BODY&gt;&lt;/HTML&gt;")
cards = []
for n in range(10):
    x, y = 54 + (n % 2) * 252, 36 + (n // 2) * 144  # points: 0.75 in and 0.5 in margins
    c = n + 1
    cards.append(f'''<g id="card{c}">
<g id="card{c}-name" vardotag:vardo2_group=""><text id="card{c}-name-frame" x="{x + 9}" y="{y + 24}"
 style="font-family:sans-serif;font-size:12px;font-weight:bold" vardotag:vardo2_script="[name]">Name</text></g>
<g id="card{c}-company" vardotag:vardo2_group=""><text id="card{c}-company-frame" x="{x + 9}" y="{y + 42}"
 style="font-family:sans-serif;font-size:10px" vardotag:vardo2_script="[company]">Company</text></g>
<g id="card{c}-qr" vardotag:vardo2_group=""><text id="card{c}-qr-frame" x="{x + 180}" y="{y + 80}"
 style="font-family:sans-serif;font-size:6px" vardotag:vardo2_script="{QR}">QR</text></g>
</g>''')
with open(f"{dir_}/card.svg", "w", encoding="utf-8") as f:
    f.write('<svg xmlns="http://www.w3.org/2000/svg" '
            'xmlns:inkscape="http://www.inkscape.org/namespaces/inkscape" '
            'xmlns:vardotag="urn:vardo:tag:1" width="8.5in" height="11in" viewBox="0 0 612 792">\n'
            '<g id="cards" inkscape:groupmode="layer">\n' + "\n".join(cards) + "\n</g>\n</svg>\n")

with open(f"{dir_}/cards.glabels", "w", encoding="utf-8") as f:
    f.write(f'''<?xml version="1.0"?>
<Glabels-document xmlns="http://glabels.org/xmlns/3.0/">
  <Template brand="Bench" part="10-up" size="US-Letter" description="Business cards">
    <Meta category="business-card"/>
    <Label-rectangle id="0" width="3.5in" height="2in" round="0in" x_waste="0in" y_waste="0in">
      <Markup-margin size="0.0625in"/>
      <Layout nx="2" ny="5" x0="0.75in" y0="0.5in" dx="3.5in" dy="2in"/>
    </Label-rectangle>
  </Template>
  <Objects id="0" rotate="False">
    <Object-text x="0.125in" y="0.1in" w="2.2in" h="0.25in" lock_aspect_ratio="False"
        justify="Left" valign="Top" auto_shrink="False" a0="1" a1="0" a2="0" a3="1" a4="0" a5="0">
      <Span font_family="Sans" font_size="12" font_weight="Bold" font_italic="False"
          color="0x000000ff" line_spacing="1">${{name}}</Span>
    </Object-text>
    <Object-text x="0.125in" y="0.4in" w="2.2in" h="0.25in" lock_aspect_ratio="False"
        justify="Left" valign="Top" auto_shrink="False" a0="1" a1="0" a2="0" a3="1" a4="0" a5="0">
      <Span font_family="Sans" font_size="10" font_weight="Regular" font_italic="False"
          color="0x000000ff" line_spacing="1">${{company}}</Span>
    </Object-text>
    <Object-barcode x="2.5in" y="0.9in" w="0.9in" h="0.9in" lock_aspect_ratio="True"
        backend="libqrencode" style="IEC18004" text="False" checksum="True" color="0xff"
        field="url" a0="1" a1="0" a2="0" a3="1" a4="0" a5="0"/>
  </Objects>
  <Merge type="Text/Comma/Line1Keys" src="{dir_}/cards.csv"/>
</Glabels-document>
''')

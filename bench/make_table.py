#!/usr/bin/env python3
"""Writes a generated address table of about SIZE megabytes, for timing.

usage: make_table.py OUT SIZE_MB utf-8|cp932

Rows look like postal-code data: numbers, quoted codes, half-width katakana
readings, kanji names, and now and then a quoted field with a comma, a
doubled quote or a line break, so every rule of the reader is exercised.
"""
import random
import sys

KANJI = ["東京都", "千代田区", "中央区", "港区", "新宿区", "文京区", "台東区", "墨田区",
         "江東区", "品川区", "目黒区", "大田区", "世田谷区", "渋谷区", "中野区", "杉並区",
         "飯田橋", "一番町", "岩本町", "内神田", "内幸町", "大手町", "鍛冶町", "神田錦町",
         "表参道", "神保町", "以下に掲載がない場合", "丸の内（次のビルを除く）", "霞が関"]
KANA = ["ﾄｳｷｮｳﾄ", "ﾁﾖﾀﾞｸ", "ﾁｭｳｵｳｸ", "ﾐﾅﾄｸ", "ｼﾝｼﾞｭｸｸ", "ｲｲﾀﾞﾊﾞｼ", "ｲﾁﾊﾞﾝﾁｮｳ",
        "ｲﾜﾓﾄﾁｮｳ", "ｳﾁｶﾝﾀﾞ", "ｳﾁｻｲﾜｲﾁｮｳ", "ｵｵﾃﾏﾁ", "ｶｼﾞﾁｮｳ", "ｶﾝﾀﾞﾆｼｷﾁｮｳ"]
NOTES = ['"備考, コンマ入り"', '"引用""符"', '"改\r\n行"', "", "注記"]


def row(rng):
    code = rng.randrange(13101, 13400)
    zip7 = rng.randrange(1000000, 2000000)
    return ",".join([
        str(code), '"%d  "' % (zip7 // 10000), '"%d"' % zip7,
        '"%s"' % rng.choice(KANA), '"%s"' % rng.choice(KANA), '"%s"' % rng.choice(KANA),
        '"%s"' % rng.choice(KANJI), '"%s"' % rng.choice(KANJI), '"%s"' % rng.choice(KANJI),
        str(rng.randrange(2)), str(rng.randrange(2)), str(rng.randrange(2)),
        rng.choice(NOTES), str(rng.randrange(10)), str(rng.randrange(3))]) + "\r\n"


def main():
    out, size_mb, encoding = sys.argv[1], float(sys.argv[2]), sys.argv[3]
    target = int(size_mb * 1000 * 1000)
    rng = random.Random(1)
    header = ",".join("列%d" % i for i in range(15)) + "\r\n"
    parts = [header.encode(encoding)]
    size = len(parts[0])
    while size < target:
        chunk = "".join(row(rng) for _ in range(1000)).encode(encoding)
        parts.append(chunk)
        size += len(chunk)
    with open(out, "wb") as f:
        f.write(b"".join(parts))


main()

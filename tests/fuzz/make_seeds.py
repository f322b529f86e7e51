#!/usr/bin/env python3
"""Writes the fuzz targets' seed corpus: the files the tests write and read, a few of each
kind. Run once from this folder (`python3 make_seeds.py`); needs ImageMagick for the pictures.
Deterministic, so running it again changes nothing."""

import os
import subprocess


def write(target, name, data):
    folder = os.path.join('corpus', target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), 'wb') as f:
        f.write(data)


def sjis_lines(lines):
    return b''.join(line.encode('cp932') + b'\r\n' for line in lines)


def saved_lines(picture, pieces, side, limit=' 0 '):
    lines = [picture, limit, ' 1 ', ' 15 ', ' 2 ', ' 0 ', ' 0 ', ' 0 ', ' 0 ',
             ' %d ' % pieces, ' %d ' % side]
    lines += ['%d&%d' % (1230 + i, 450 - i) for i in range(pieces)]
    return lines


# Saved games: the 27-line file of the writer's test, games of 16 and 100 pieces, a typed
# limit, a fractional bar step, a half-way position.
write('saved_game', 'written_16', sjis_lines(
    ['/home/player/写真/富士山.jpg', '45', ' 1 ', ' 12 ', ' 3 ', ' 2508 ', ' .75 ', ' 48 ',
     ' 41 ', ' 16 ', ' 4 '] + ['%s&%s' % l for l in
        [('1230', '450'), ('68.57143', '440'), ('1232', '-3')] +
        [(str(1233 + i), str(420 - 10 * i)) for i in range(13)]]))
write('saved_game', 'resumed_16', sjis_lines(saved_lines('/pics/山 と 海.jpg', 16, 4)))
write('saved_game', 'resumed_100', sjis_lines(saved_lines('C:\\絵\\sea.jpg', 100, 10, '90')))
half = saved_lines('/p.jpg', 25, 5, ' 1.5 ')
half[6] = ' 2.5 '
half[15] = '12.5&-3.5'
write('saved_game', 'fractions_25', sjis_lines(half))
# Limits as the player typed them, clocks at and past what the game keeps, 40 pieces on 7.
typed = saved_lines('C:\\絵\\sea.jpg', 16, 4, '１０')
typed[2:9] = [' 0 ', ' 59.5 ', ' 999999 ', '-59999940 ', '-11.25 ', ' 2.5 ', '-999999 ']
write('saved_game', 'typed_limit_edges', sjis_lines(typed))
write('saved_game', 'grouped_limit', sjis_lines(saved_lines('/p.jpg', 16, 4, '+1,000.5e0')))
edge = saved_lines('/p.jpg', 16, 4, '-5')
edge[3:5] = [' 59 ', ' 1E+12 ']
write('saved_game', 'clock_bound', sjis_lines(edge))
write('saved_game', 'forty_on_seven', sjis_lines(saved_lines('/p.jpg', 40, 7)))

# Record files: the ranking's three records, twelve records, names with "*" and Japanese,
# a damaged count, a count line gone missing.
def record(date, time, name, picture='sea.jpg', pieces=16):
    return '%s+%s%%%d\\%s*%s' % (date, picture, pieces, time, name)

write('record_file', 'three', sjis_lines(
    [' 3 ', record('2024/01/03', '754', 'B'), record('2024/01/02', '60', 'C'),
     record('2024/01/01', '754', 'A')]))
write('record_file', 'twelve', sjis_lines(
    [' 12 '] + [record('2024/02/01', str(100 * i), 'P%d' % i) for i in range(12, 0, -1)]))
write('record_file', 'japanese', sjis_lines(
    [' 3 ', record('2023/01/05', '00300', '一郎', 'ジグソー画像3.png'),
     record('2023/02/06', '900', '三郎*さん', 'ジグソー画像3.png'),
     record('2024/03/01', '100000', 'ｶﾅ', 'ジグソー画像3.png')]))
write('record_file', 'damaged_count', sjis_lines(
    [' 1.5 ', record('2024/01/01', '5', 'x'), '', record('2024/01/02', '12:34', 'y')]))
write('record_file', 'no_count', sjis_lines([record('2024/01/01', '5', 'x')]))

# Number lines as the game writes them, and near its limits.
for i, text in enumerate([' 12 ', '-3 ', ' .5 ', '68.57143', ' 1E+07 ', '1.5', '0.01',
                          '32767.5', '-2.5', '999999', '1e300', ' 0 ']):
    write('number_line', 'n%02d' % i, text.encode('latin-1'))

# Shift_JIS: the look-alikes, full-width signs, NEC and IBM extensions, half-width kana.
write('shift_jis', 'lookalikes', bytes.fromhex('8357834F835C815B816083708359838B0D0A817C310D0A'
                                                 '87400D0A8161815C8191819281CA818F8150FA55'))
write('shift_jis', 'kana_crlf', 'ｼﾞｸﾞｿｰ\r\nパズル\r①②\n'.encode('cp932'))
write('shift_jis', 'typed_utf16', 'ゲーム〜2−3 ‖—¢£¬¥‾¦ 😀'.encode('utf-16-le'))

# Kept thumbnails at the size the target asks for (169 x 121): whole ones, one of another
# size, one cut short, one longer than its size says, one of the older compressed kind, and
# the empty entry of a picture that gives none.
def thumbnail(width, height, pixel):
    rows = b''.join(bytes(pixel(x, y)) for y in range(height) for x in range(width))
    return b'JTH2' + width.to_bytes(2, 'big') + height.to_bytes(2, 'big') + rows


flat = thumbnail(169, 121, lambda x, y: (0, 139, 139))
write('thumbnail_cache', 'flat', flat)
write('thumbnail_cache', 'gradient',
      thumbnail(169, 121, lambda x, y: (x * 255 // 168, y * 255 // 120, (x + y) % 256)))
write('thumbnail_cache', 'wrong_size', thumbnail(100, 80, lambda x, y: (200, 30, 30)))
write('thumbnail_cache', 'truncated', flat[:len(flat) // 2])
write('thumbnail_cache', 'claims_more', flat + bytes(300))
write('thumbnail_cache', 'older_kind', b'JTH1' + flat[4:12])
write('thumbnail_cache', 'empty', b'')

# Pictures: small JPEGs of each kind the loader meets, and the other formats Qt reads.
pictures = [('baseline.jpg', []), ('progressive.jpg', ['-interlace', 'JPEG']),
            ('gray.jpg', ['-colorspace', 'Gray']), ('cmyk.jpg', ['-colorspace', 'CMYK']),
            ('444.jpg', ['-sampling-factor', '1x1']), ('small.png', []), ('small.bmp', [])]
os.makedirs('corpus/picture', exist_ok=True)
for name, options in pictures:
    subprocess.run(['convert', '-size', '24x16', 'gradient:orange-blue', *options,
                    '-strip', '-quality', '70', 'corpus/picture/' + name], check=True)

# Makes the pictures the picture-extraction tests build their PDF files
# from, into the folder given as the only argument: JPEG and JPEG 2000
# files, PDFs made by img2pdf from PNG files (Flate with /Predictor 15), and
# the raw strips of TIFF files libtiff codes with LZW and CCITT G3/G4.
import os
import subprocess
import sys

from PIL import Image

W, H = 40, 20
out = sys.argv[1]
os.chdir(out)


def rgb():
    im = Image.new('RGB', (W, H))
    im.putdata([((x * 6) % 256, (y * 12) % 256, (x * y * 3) % 256) for y in range(H) for x in range(W)])
    return im


def gray():
    im = Image.new('L', (W, H))
    im.putdata([(x * 5 + y * 11) % 256 for y in range(H) for x in range(W)])
    return im


def bilevel():
    im = Image.new('1', (W, H))
    im.putdata([255 * ((x * y + x) % 7 < 3) for y in range(H) for x in range(W)])
    return im


def palette():
    im = Image.new('P', (W, H))
    im.putpalette([(i * 7) % 256 if c == 0 else (255 - i if c == 1 else (i * 3) % 256)
                   for i in range(256) for c in range(3)])
    im.putdata([(x * 3 + y * 7) % 256 for y in range(H) for x in range(W)])
    return im


def cmyk():
    im = Image.new('CMYK', (W, H))
    im.putdata([((x * 6) % 256, (y * 12) % 256, (x * y) % 256, (x + y * 3) % 256)
                for y in range(H) for x in range(W)])
    return im


def img2pdf(picture, pdf):
    subprocess.run(['img2pdf', picture, '-o', pdf], check=True)


def strip(tiff, name):
    t = Image.open(tiff)
    offsets = t.tag_v2[273]
    counts = t.tag_v2[279]
    assert len(offsets) == 1, tiff
    with open(tiff, 'rb') as f:
        f.seek(offsets[0])
        data = f.read(counts[0])
    with open(name, 'wb') as f:
        f.write(data)


rgb().save('photo.jpg', quality=90, subsampling=0)
img2pdf('photo.jpg', 'photo.pdf')
rgb().save('photo.jp2')
img2pdf('photo.jp2', 'photo_jp2.pdf')
bilevel().save('png_1.png')
gray().save('png_gray.png')
palette().save('png_pal.png')
rgb().save('png_rgb.png')
for kind in ('1', 'gray', 'pal', 'rgb'):
    img2pdf('png_%s.png' % kind, 'png_%s.pdf' % kind)
gray().save('lzw_gray.tif', compression='tiff_lzw')
rgb().save('lzw_rgb.tif', compression='tiff_lzw')
cmyk().save('lzw_cmyk.tif', compression='tiff_lzw')
bilevel().save('g3.tif', compression='group3')
bilevel().save('g4.tif', compression='group4')
for name in ('lzw_gray', 'lzw_rgb', 'lzw_cmyk', 'g3', 'g4'):
    strip(name + '.tif', name + '.bin')

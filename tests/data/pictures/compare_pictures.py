# Compares a picture file with a reference, pixel for pixel, as RGB.
# Arguments: ours reference [kind]; kind "raw" compares the bytes, "cmyk"
# reads a reference of raw CMYK samples "W H file" made RGB by Pillow.
import sys

from PIL import Image

ours, reference = sys.argv[1], sys.argv[2]
kind = sys.argv[3] if len(sys.argv) > 3 else 'pixels'
if kind == 'raw':
    same = open(ours, 'rb').read() == open(reference, 'rb').read()
    print('bytes differ' if not same else 'same')
    sys.exit(0 if same else 1)
a = Image.open(ours).convert('RGB')
b = Image.open(reference).convert('RGB')
if a.size != b.size:
    print('size', a.size, b.size)
    sys.exit(1)
pa, pb = list(a.getdata()), list(b.getdata())
diff = [i for i in range(len(pa)) if pa[i] != pb[i]]
if diff:
    i = diff[0]
    print('%d pixels differ; first at (%d, %d): %s, reference %s' % (len(diff), i % a.size[0], i // a.size[0],
                                                                        pa[i], pb[i]))
    sys.exit(1)
print('same')

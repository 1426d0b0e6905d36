# What psd-tools and Pillow read from a Photoshop document, one line each:
#   TOOL FRAME WIDTH HEIGHT RGBHEX     (frame 0 the merged image, n layer n-1)
#   psd-tools MASK FRAME WIDTH HEIGHT HEX   (a layer's user mask)
#   psd-tools ALPHA FRAME HEX               (a layer's transparency)
# CMYK pixels become c*k/255, m*k/255, y*k/255 of the stored (inverted)
# samples; Pillow and psd-tools both hand out ink amounts.
import sys
from PIL import Image
from psd_tools import PSDImage


def rgb_hex(image):
    if image.mode == "CMYK":
        stored = [tuple(255 - v for v in p) for p in image.getdata()]
        return bytes(v for c, m, y, k in stored for v in (c * k // 255, m * k // 255, y * k // 255)).hex()
    return image.convert("RGB").tobytes().hex()


def emit(tool, frame, image):
    print(tool, frame, image.width, image.height, rgb_hex(image))


path = sys.argv[1]
psd = PSDImage.open(path)
merged = psd.topil()
if "A" in merged.getbands() and merged.mode != "CMYK":
    # psd-tools takes the colour of a merged image with transparency off
    # its white matte; the stored samples are its channels one by one.
    merged = Image.merge(merged.mode[:-1], [psd.topil(channel=c) for c in range(len(merged.mode) - 1)])
emit("psd-tools", 0, merged)
for n, layer in enumerate(psd._layers, 1):
    image = layer.topil()
    if image is None:
        continue
    bands = image.getbands()
    if "A" in bands:
        print("psd-tools ALPHA", n, image.getchannel("A").tobytes().hex())
        image = image.convert("RGB") if image.mode == "RGBA" else image.getchannel(bands[0])
    emit("psd-tools", n, image)
    if layer.mask is not None and layer.mask.width > 0:
        mask = layer.mask.topil()
        print("psd-tools MASK", n, mask.width, mask.height, mask.tobytes().hex())

# Pillow reads bitmap documents with black and white swapped and does not
# read layers the way Photoshop writes them (it expects channel data padded
# to even offsets and reloads no single-channel layer), so it is asked for
# the merged image of the other modes only.
pillow = Image.open(path)
pillow.load()
if pillow.mode != "1":
    emit("pillow", 0, pillow)

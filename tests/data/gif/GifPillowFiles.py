# Writes the GIF files of the decoder's comparison with Pillow into the
# folder given, with manifest.txt: per case its frames, per frame the box
# Pillow read it at and the keys the file must give, NAME.N.rgb with the
# pixels Pillow reads inside that box and NAME.N.magick with those
# ImageMagick reads.
import struct, subprocess, sys
from PIL import Image

out = sys.argv[1]
W, H = 11, 7
manifest = []


def pattern(w, h, seed, colours):
    return [(x * 7 + y * 31 + seed * 13 + (x * y) % 5) % colours for y in range(h) for x in range(w)]


def palette_image(w, h, seed, colours=256):
    image = Image.new("P", (w, h))
    image.putpalette([(i * 3 + seed * 17 + c * 85) % 256 for i in range(256) for c in range(3)])
    image.putdata(pattern(w, h, seed, colours))
    return image


def plain_codes(pixels, size):
    # Every pixel its own code, a clear code before the table would widen them.
    clear = 1 << size
    codes, run = [clear], 0
    for p in pixels:
        codes.append(p)
        run += 1
        if run == clear - 3:
            codes.append(clear)
            run = 0
    codes.append(clear + 1)
    data, acc, bits = bytearray(), 0, 0
    for c in codes:
        acc |= c << bits
        bits += size + 1
        while bits >= 8:
            data.append(acc & 255)
            acc >>= 8
            bits -= 8
    if bits:
        data.append(acc & 255)
    blocks = bytearray([size])
    for i in range(0, len(data), 255):
        blocks += bytes([len(data[i:i + 255])]) + data[i:i + 255]
    return bytes(blocks) + b"\0"


def table(entries, seed):
    return bytes((i * 5 + seed * 40 + c * 70) % 256 for i in range(entries) for c in range(3))


def descriptor(w, h, flags, local=b""):
    return b"," + struct.pack("<HHHHB", 0, 0, w, h, flags) + local


def write_interlaced(name, h):
    order = [y for start, step in ((0, 8), (4, 8), (2, 4), (1, 2)) for y in range(start, h, step)]
    pixels = pattern(W, h, 3, 256)
    rows = [pixels[y * W:(y + 1) * W] for y in range(h)]
    body = descriptor(W, h, 0x40) + plain_codes([p for y in order for p in rows[y]], 8)
    with open(out + "/" + name + ".gif", "wb") as f:
        f.write(b"GIF89a" + struct.pack("<HHBBB", W, h, 0xF7, 0, 0) + table(256, 1) + body + b";")


def write_local_two():
    # Frame 0 has a two-entry local table, frame 1 the global one.
    pixels0 = [v % 2 for v in pattern(W, H, 1, 256)]
    frame0 = descriptor(W, H, 0x80) + table(2, 2) + plain_codes(pixels0, 2)
    frame1 = descriptor(W, H, 0) + plain_codes(pattern(W, H, 2, 256), 8)
    with open(out + "/local2.gif", "wb") as f:
        f.write(b"GIF89a" + struct.pack("<HHBBB", W, H, 0xF7, 0, 0) + table(256, 1) + frame0 + frame1 + b";")


def record(name, facts_by_frame):
    image = Image.open(out + "/" + name + ".gif")
    frames = getattr(image, "n_frames", 1)
    manifest.append("CASE %s %d" % (name, frames))
    for n in range(frames):
        image.seek(n)
        box = image.tile[0][1] if image.tile else (0, 0) + image.size
        image.load()
        rgb = image.convert("RGB").crop(box)
        with open("%s/%s.%d.rgb" % (out, name, n), "wb") as f:
            f.write(rgb.tobytes())
        # ImageMagick's frame n as stored, in its own box.
        subprocess.run(["/usr/bin/convert", "%s/%s.gif[%d]" % (out, name, n), "+repage", "-depth", "8",
                        "rgb:%s/%s.%d.magick" % (out, name, n)], check=True)
        manifest.append("FRAME %d %d %d %d %d" % (n, box[0], box[1], box[2] - box[0], box[3] - box[1]))
        for line in facts_by_frame.get(n, []):
            manifest.append(line)


def gce(n, transparent, delay, disposal):
    return ["INT TRANSPARENTCOLOR%d %d" % (n, transparent), "INT FRAMEDELAY%d %d" % (n, delay),
            "INT DISPOSALMETHOD%d %d" % (n, disposal)]


no_gce = ["ABSENT TRANSPARENTCOLOR0", "ABSENT FRAMEDELAY0", "ABSENT DISPOSALMETHOD0"]

palette_image(W, H, 1).save(out + "/v87a.gif")
assert open(out + "/v87a.gif", "rb").read(6) == b"GIF87a"
record("v87a", {0: no_gce + ["INT COLORDEPTH 8"]})

palette_image(W, H, 2).save(out + "/v89a.gif", comment=b"made by Pillow")
assert open(out + "/v89a.gif", "rb").read(6) == b"GIF89a"
record("v89a", {0: ["TEXT COMMENT0 made by Pillow"]})

# Pillow writes no two-entry table; ImageMagick does.
bits = Image.new("1", (W + 2, H))
bits.putdata([255 if (x * 3 + y) % 4 == 0 else 0 for y in range(H) for x in range(W + 2)])
bits.save(out + "/onebit.png")
subprocess.run(["/usr/bin/convert", out + "/onebit.png", "-type", "bilevel", out + "/onebit.gif"], check=True)
assert open(out + "/onebit.gif", "rb").read(11)[10] & 0x87 == 0x80
record("onebit", {0: ["INT COLORDEPTH 1"]})

palette_image(W, H, 4, 12).save(out + "/fourbit.gif", bits=4)
record("fourbit", {0: ["INT COLORDEPTH 4"]})

# An optimised palette would drop the transparent index.
palette_image(W, H, 5).save(out + "/transparent.gif", transparency=5, duration=70, optimize=False)
assert Image.open(out + "/transparent.gif").info["transparency"] == 5
record("transparent", {0: gce(0, 5, 7, 0)})

frames = [palette_image(W, H, seed) for seed in (6, 7, 8)]
frames[0].save(out + "/animation.gif", save_all=True, append_images=frames[1:], duration=[100, 250, 40],
               disposal=[0, 1, 2], loop=0, comment=b"three frames")
record("animation", {0: gce(0, -1, 10, 0) + ["TEXT COMMENT0 three frames"], 1: gce(1, -1, 25, 1),
                     2: gce(2, -1, 4, 2) + ["INT FRAMES 3"]})

small = [palette_image(W, H, 9), palette_image(W, H, 10)]
small[1].putpalette([(i * 11 + c * 50) % 256 for i in range(256) for c in range(3)])
small[0].save(out + "/localtables.gif", save_all=True, append_images=small[1:], duration=50)
record("localtables", {})

for h in range(1, 10):
    write_interlaced("interlaced%d" % h, h)
    record("interlaced%d" % h, {0: ["INT INTERLACED 1", "INT HEIGHT %d" % h]})

write_local_two()
record("local2", {0: ["INT COLORDEPTH 1"], 1: ["INT COLORDEPTH 8"]})

with open(out + "/manifest.txt", "w") as f:
    f.write("\n".join(manifest) + "\n")

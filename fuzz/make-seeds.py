#!/usr/bin/env python3
"""Makes the fuzzers' seed corpora from the tests' own pages and pictures.

    fuzz/make-seeds.py [BUILD-FOLDER]

Pages: the HTML string literals of each test of tests/html, tests/document and tests/cli, joined
line by line, and the example page; the canvas gestures go over some of them. Pictures: the image tests are run from BUILD-FOLDER (default
build) with MAPWRIGHT_SEED_DIR set, which keeps every picture they write. Each seed is written in
its fuzzer's input format to fuzz/corpus/NAME/seed-HASH; the old seed-* files go first, other
files (what fuzzing found) stay.
"""
import hashlib
import pathlib
import random
import re
import subprocess
import sys
import tempfile

ROOT = pathlib.Path(__file__).resolve().parent.parent
CORPUS = ROOT / "fuzz" / "corpus"
MAX_PAGE = 4096       # libFuzzer's default largest input
MAX_PICTURE = 12288   # keeps the committed corpus small
MAX_PICTURES = 60

LITERAL = re.compile(rb'"(?:[^"\\\n]|\\.)*"')
TEST_START = re.compile(rb'^TEST(?:_F|_P)?\(', re.M)


def c_string(literal):
    """The bytes of one C++ string literal (escapes as C++ reads them)."""
    body = literal[1:-1]
    out = bytearray()
    i = 0
    simple = {ord('n'): 10, ord('r'): 13, ord('t'): 9, ord('0'): 0, ord('\\'): 92, ord('"'): 34,
              ord("'"): 39, ord('?'): 63, ord('a'): 7, ord('b'): 8, ord('f'): 12, ord('v'): 11}
    while i < len(body):
        c = body[i]
        if c != ord('\\'):
            out.append(c)
            i += 1
            continue
        e = body[i + 1]
        if e == ord('x'):
            j = i + 2
            while j < len(body) and chr(body[j]) in '0123456789abcdefABCDEF':
                j += 1
            out.append(int(body[i + 2:j], 16) & 0xFF)
            i = j
        elif ord('0') <= e <= ord('7'):
            j = i + 1
            while j < min(i + 4, len(body)) and ord('0') <= body[j] <= ord('7'):
                j += 1
            out.append(int(body[i + 1:j], 8) & 0xFF)
            i = j
        else:
            out.append(simple.get(e, e))
            i += 2
    return bytes(out)


def test_pages(source):
    """One page per test: its literals holding a '<', adjacent literals joined, one per line."""
    text = source.read_bytes()
    starts = [m.start() for m in TEST_START.finditer(text)] + [len(text)]
    pages = []
    for begin, end in zip(starts, starts[1:]):
        lines, previous_end = [], None
        for m in LITERAL.finditer(text, begin, end):
            value = c_string(m.group())
            if previous_end is not None and text[previous_end:m.start()].strip() == b'' and lines:
                lines[-1] += value  # "a" "b" is one literal
            else:
                lines.append(value)
            previous_end = m.end()
        html = [line for line in lines if b'<' in line]
        if html:
            pages.append(b'\n'.join(html)[:MAX_PAGE])
    return pages


def map_name(page):
    m = re.search(rb'NAME\s*=\s*"?([^"\s>]*)', page, re.I)
    return m.group(1) if m else b'm'


def test_pictures(build):
    """Every picture the image tests write, with its file name."""
    binary = build / "test_image"
    if not binary.exists():
        sys.exit(f"{binary} not found: build the tests first (cmake --build {build} --target test_image)")
    with tempfile.TemporaryDirectory() as keep:
        subprocess.run([str(binary)], env={"MAPWRIGHT_SEED_DIR": keep, "PATH": "/usr/bin:/bin"},
                       stdout=subprocess.DEVNULL, check=True)
        files = sorted(pathlib.Path(keep).iterdir(), key=lambda p: p.stat().st_size)
        return [(f.name, f.read_bytes()) for f in files if f.stat().st_size <= MAX_PICTURE]


def decoder_byte(name):
    """The decode entry picks GIF, JPEG or PNG by its first byte, as the decoder does by name."""
    lower = name.lower()
    return 0 if '.gif' in lower else 2 if '.png' in lower else 1


def write_corpus(name, seeds):
    folder = CORPUS / name
    folder.mkdir(parents=True, exist_ok=True)
    for old in folder.glob("seed-*"):
        old.unlink()
    unique = {hashlib.sha1(s).hexdigest()[:16]: s for s in seeds}
    for digest, seed in unique.items():
        (folder / f"seed-{digest}").write_bytes(seed)
    print(f"{name}: {len(unique)} seeds, {sum(map(len, unique.values()))} bytes")


def main():
    build = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else ROOT / "build"
    sources = sorted((ROOT / "tests").glob("html/*.cpp")) + sorted((ROOT / "tests").glob("document/*.cpp")) + \
        sorted((ROOT / "tests").glob("cli/*.cpp"))
    pages = [page for source in sources for page in test_pages(source)]
    pages.append((ROOT / "examples" / "harbour.htm").read_bytes()[:MAX_PAGE])

    reader = [bytes([1 + i % 3]) + map_name(page) + b'\n' + page for i, page in enumerate(pages)]
    write_corpus("mapreader_fuzzer", reader)

    # Pages with an image line open as they are; the others get one naming their map first. The
    # five control bytes: a GIF of 40 x 30, every question answered Yes, then each save plan.
    page_seeds = []
    for i, page in enumerate(pages):
        if not re.search(rb'SRC=.* USEMAP', page, re.I):
            page = b'<IMG SRC="pic.gif" USEMAP="#' + map_name(page) + b'">\n' + page
        page_seeds.append(bytes([0, 39, 29, 0xFF, (i % 4) | (8 if i % 5 == 0 else 0)]) + page)
    write_corpus("mappage_fuzzer", page_seeds)

    # Gestures: a picture of 320 x 200 in a client of 400 x 300, then 40 events drawn from each
    # kind in turn at places spread over the client, over the three-area page (empty) and the
    # tests' pages.
    rng = random.Random(15)
    canvas_seeds = []
    for i, page in enumerate([b''] * 8 + pages[:24]):
        events = b''.join(bytes([k % 24, rng.randrange(256), rng.randrange(256), rng.randrange(256)])
                          for k in rng.sample(range(48), 40))
        canvas_seeds.append(bytes([156, 96, 180, 130, 40]) + events + page)
    write_corpus("canvastools_fuzzer", canvas_seeds)

    pictures = test_pictures(build)[:MAX_PICTURES]
    write_corpus("decode_fuzzer", [bytes([decoder_byte(name)]) + data for name, data in pictures])


if __name__ == "__main__":
    main()

#!/usr/bin/python3
"""Lists the functions longer than a limit in the given C++ files.

A function is measured from the line that opens its body with a brace alone
on its line (the house's Allman style) to the brace that closes it at the
same indent, both counted; blocks opened inside a function ("if (...) {")
stay inside it. Usage: scripts/function-lengths.py [--limit N] FILE...
"""
import re
import sys

OPEN = re.compile(r'^(\s*)\{\s*(//.*)?$')
CLOSE = re.compile(r'^(\s*)\}')


def long_functions(path, limit):
    with open(path, errors='replace') as source:
        lines = source.read().split('\n')
    open_bodies = []
    for number, line in enumerate(lines):
        opened = OPEN.match(line)
        if opened:
            heading = lines[number - 1].strip() if number else ''
            open_bodies.append((len(opened.group(1)), number, heading))
            continue
        closed = CLOSE.match(line)
        if closed and open_bodies and open_bodies[-1][0] == len(closed.group(1)):
            _, start, heading = open_bodies.pop()
            length = number - start + 1
            if length > limit:
                yield length, start + 1, heading


def main(arguments):
    limit = 60
    if arguments[:1] == ['--limit']:
        limit = int(arguments[1])
        arguments = arguments[2:]
    found = False
    for path in arguments:
        for length, line, heading in long_functions(path, limit):
            print(f'{length:5d} {path}:{line} {heading[:80]}')
            found = True
    return 1 if found else 0


if __name__ == '__main__':
    sys.exit(main(sys.argv[1:]))

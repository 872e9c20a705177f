#!/usr/bin/env python3
"""Fails when two files of the project define a class, struct, union or enum of the same name.

The libraries are linked together into the programs and the tests, and two different classes of
one name break the one-definition rule there without a word from the linker: one class's inline
members and virtual table silently serve the other. A type in an unnamed namespace, nested in a
class or local to a function has no such reach and is left out.

    check_type_names.py SOURCE_ROOT
"""

import os
import re
import sys

_COMMENT_OR_LITERAL = re.compile(
    r'//[^\n]*|/\*.*?\*/|R"(?P<delim>[^(\s]*)\(.*?\)(?P=delim)"|"(?:\\.|[^"\\\n])*"|\'(?:\\.|[^\'\\\n])*\'',
    re.S)
# A namespace opening, a type definition (its name, then bases or attributes, up to its brace),
# or any other brace.
_TOKEN = re.compile(
    r'\bnamespace\s*(?P<ns>[A-Za-z_][\w:]*)?\s*\{'
    r'|\b(?:class|struct|union|enum(?:\s+(?:class|struct))?)\s+(?:\[\[[^\]]*\]\]\s*)?'
    r'(?P<type>[A-Za-z_]\w*)\s*(?:final\s*)?(?::[^;{}()]*)?\{'
    r'|[{}]')


def strip(text):
    text = re.sub(r"(?<=\d)'(?=\d)", '', text)  # digit separators: 1'000
    return _COMMENT_OR_LITERAL.sub(lambda m: '""' if m.group(0)[:1] in '"R' else ' ', text)


def defined_types(text):
    """The names of the types the text defines with external reach, qualified by namespace."""
    names = []
    scopes = []  # 'unnamed', 'ns:<name>', or 'block' (a type, a function, an initialiser)
    for m in _TOKEN.finditer(strip(text)):
        token = m.group(0)
        if token.startswith('namespace'):
            scopes.append('ns:' + m.group('ns') if m.group('ns') else 'unnamed')
        elif m.group('type'):
            if all(s.startswith('ns:') for s in scopes):
                names.append('::'.join([s[3:] for s in scopes] + [m.group('type')]))
            scopes.append('block')
        elif token == '{':
            scopes.append('block')
        elif scopes:
            scopes.pop()
    return names


def source_files(root):
    for folder, subfolders, files in os.walk(root):
        # Build trees and hidden folders hold no sources of ours.
        subfolders[:] = sorted(d for d in subfolders if not d.startswith('.')
                               and not os.path.exists(os.path.join(folder, d, 'CMakeCache.txt')))
        for name in sorted(files):
            if name.endswith(('.h', '.cpp')):
                yield os.path.join(folder, name)


def duplicates(files_and_texts):
    where = {}
    for path, text in files_and_texts:
        for name in defined_types(text):
            where.setdefault(name, set()).add(path)
    return {name: sorted(paths) for name, paths in where.items() if len(paths) > 1}


def self_test():
    """The scan finds a clash and ignores what cannot clash; without this it could pass on anything."""
    found = duplicates([
        ('a.h', 'class Port : public QObject { struct Inner {}; };\nnamespace N { struct Row final {}; }'),
        ('b.h', '// class Port {}\nstruct Port { int x{0}; };\nnamespace N { enum class Row : int { A }; }'),
        ('c.cpp', 'namespace { struct Inner {}; struct Helper {}; }\nvoid f() { struct Local {}; }'),
        ('d.cpp', 'namespace { struct Helper {}; }\nvoid g() { struct Local {}; }\nclass Port;\n'
                  'const char *s = "struct Quoted {";'),
        ('e.cpp', 'const char *s = "struct Quoted {";\nint n = 1\'000;\nstruct After {};'),
        ('f.cpp', 'struct After {};'),
        # One name in two libraries' namespaces is two types; twice in one namespace is a clash.
        ('g.h', 'namespace telvaro::a {\nstruct Twin {};\n} // namespace telvaro::a'),
        ('h.h', 'namespace telvaro::a { class Twin; }\nnamespace telvaro::b { struct Twin {}; }'),
        ('i.cpp', 'namespace telvaro::a {\nnamespace { struct Hidden {}; }\nstruct Twin final : Base {};\n}'),
    ])
    expected = {'Port': ['a.h', 'b.h'], 'N::Row': ['a.h', 'b.h'], 'After': ['e.cpp', 'f.cpp'],
                'telvaro::a::Twin': ['g.h', 'i.cpp']}
    if found != expected:
        sys.exit(f'check_type_names.py: self-test found {found}, expected {expected}')


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    self_test()
    root = sys.argv[1]
    texts = []
    for path in source_files(root):
        with open(path, encoding='utf-8', errors='replace') as f:
            texts.append((os.path.relpath(path, root), f.read()))
    clashes = duplicates(texts)
    for name, paths in sorted(clashes.items()):
        print(f'{name} is defined in more than one file: {", ".join(paths)}')
    if clashes:
        return 1
    print(f'{len(texts)} files, every type name defined once')
    return 0


if __name__ == '__main__':
    sys.exit(main())

#!/usr/bin/env python3
"""Fails when a source file includes a folder that its target does not build on.

Every folder includes the others as "<folder>/<file>.h" from the source root, so the compiler
would accept any include; this check holds the includes to the links the build declares
(written by cmake/TelvaroLayers.cmake):

- a file of a target may include its own folder, the folder of a library the target links
  (PUBLIC or PRIVATE), and whatever that library passes on through its PUBLIC links, and so on;
- a header of a library is included by the library's users, so it may include only its own
  folder and what the library passes on: a library links PUBLIC exactly what its headers need.

A file of a folder that no target lists is an error too: nothing would check it.

    check_layers.py LAYERS_FILE SOURCE_ROOT
"""

import os
import re
import sys

_INCLUDE = re.compile(r'^\s*#\s*include\s*[<"]([^>"]+)[>"]', re.M)
_SOURCE_SUFFIXES = ('.h', '.hpp', '.cpp')


class Target:
    def __init__(self, line):
        fields = line.split('|')
        if len(fields) != 6:
            raise ValueError(f'bad line in the layers file: {line!r}')
        self.name, self.type, self.folder = fields[:3]
        self.sources, self.public, self.private = (set(f.split(',')) - {''} for f in fields[3:])

    @property
    def is_library(self):
        return self.type.endswith('_LIBRARY')


def top_folder(path):
    return path.split('/', 1)[0] if '/' in path else ''


def passed_on(targets, name, seen=None):
    """The folders a user of target `name` may include through it: its own, and its PUBLIC links'."""
    seen = set() if seen is None else seen
    if name in seen:
        return set()
    seen.add(name)
    target = targets[name]
    folders = {top_folder(target.folder + '/')}
    for link in target.public:
        folders |= passed_on(targets, link, seen)
    return folders


def allowed_folders(targets, target, is_header):
    folders = passed_on(targets, target.name)
    if target.is_library and is_header:
        return folders
    for link in target.private | target.public:
        folders |= passed_on(targets, link)
    return folders


def violations(targets, read_file, library_folders):
    """(file, line, included folder, target) for each include its target does not allow."""
    found = []
    for target in sorted(targets.values(), key=lambda t: t.name):
        for source in sorted(target.sources):
            if not source.endswith(_SOURCE_SUFFIXES):
                continue
            allowed = allowed_folders(targets, target, source.endswith(('.h', '.hpp')))
            text = read_file(source)
            for match in _INCLUDE.finditer(text):
                folder = top_folder(match.group(1))
                if folder in library_folders and folder not in allowed:
                    line = text.count('\n', 0, match.start()) + 1
                    found.append((source, line, folder, target.name))
    return found


def self_test():
    """A library's header reaching past its PUBLIC links, and a file reaching past its target's
    links, are found; what the links allow is not. Without this the check could pass on anything."""
    targets = {t.name: t for t in map(Target, [
        'lib_a|INTERFACE_LIBRARY|a|a/a.h||',
        'lib_b|STATIC_LIBRARY|b|b/b.h,b/b.cpp|lib_a|lib_c',
        'lib_c|STATIC_LIBRARY|c|c/c.h,c/c.cpp||',
        'prog|EXECUTABLE|d|d/main.cpp,d/tool.h||lib_b',
    ])}
    texts = {
        'a/a.h': '',
        'b/b.h': '#include "a/a.h"\n#include "c/c.h"\n',          # c is PRIVATE to b
        'b/b.cpp': '#include "b/b.h"\n#include "c/c.h"\n#include <QString>\n',
        'c/c.h': '',
        'c/c.cpp': '#include "c/c.h"\n  # include "a/a.h"\n',      # c links nothing
        'd/main.cpp': '#include "d/tool.h"\n#include "a/a.h"\n#include "c/c.h"\n',
        'd/tool.h': '#include "b/b.h"\n',
    }
    found = violations(targets, texts.__getitem__, {'a', 'b', 'c', 'd'})
    expected = [('b/b.h', 2, 'c', 'lib_b'), ('c/c.cpp', 2, 'a', 'lib_c'), ('d/main.cpp', 3, 'c', 'prog')]
    if found != expected:
        sys.exit(f'check_layers.py: self-test found {found}, expected {expected}')


def unlisted_files(root, targets):
    listed = set().union(*(t.sources for t in targets.values()))
    folders = {t.folder for t in targets.values()}
    unlisted = []
    for folder in sorted(folders):
        for name in sorted(os.listdir(os.path.join(root, folder))):
            path = f'{folder}/{name}' if folder else name
            if name.endswith(_SOURCE_SUFFIXES) and path not in listed:
                unlisted.append(path)
    return unlisted


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    self_test()
    layers_file, root = sys.argv[1:]
    with open(layers_file, encoding='utf-8') as f:
        targets = {t.name: t for t in map(Target, filter(None, f.read().splitlines()))}
    library_folders = {top_folder(t.folder + '/') for t in targets.values() if t.is_library}

    def read_file(path):
        with open(os.path.join(root, path), encoding='utf-8', errors='replace') as f:
            return f.read()

    failed = False
    for source, line, folder, target in violations(targets, read_file, library_folders):
        if source.endswith(('.h', '.hpp')) and targets[target].is_library:
            print(f'{source}:{line}: includes {folder}/, which {target} does not pass on to its users '
                  f'(a header may include only what its library links PUBLIC)')
        else:
            print(f'{source}:{line}: includes {folder}/, which {target} does not link')
        failed = True
    for path in unlisted_files(root, targets):
        print(f'{path}: no target lists it, so nothing checks what it includes')
        failed = True
    if failed:
        print('Link the library in the folder\'s CMakeLists.txt (PUBLIC when a header needs it), or '
              'move the code to where it belongs.')
        return 1
    count = sum(len(t.sources) for t in targets.values())
    print(f'{count} files of {len(targets)} targets include only what their targets build on')
    return 0


if __name__ == '__main__':
    sys.exit(main())

#!/usr/bin/env python3
"""Reads the running program as a screen reader does, through AT-SPI.

  screen_reader.py ready             true once the accessibility registry answers
  screen_reader.py text NAME         prints the text of the program's object named NAME
  screen_reader.py listen FILE       appends each text change spoken anywhere to FILE, as
                                     "insert<TAB>name of the object<TAB>text", until killed
"""
import sys

import pyatspi

APPLICATION = "orvanta"


def application():
    desktop = pyatspi.Registry.getDesktop(0)
    for index in range(desktop.childCount):
        child = desktop.getChildAtIndex(index)
        if child is not None and child.name.lower() == APPLICATION:
            return child
    sys.exit(1)


def walk(node):
    yield node
    for index in range(node.childCount):
        child = node.getChildAtIndex(index)
        if child is not None:
            yield from walk(child)


def text_of(name):
    for node in walk(application()):
        if node.name == name:
            text = node.queryText()
            return text.getText(0, text.characterCount)
    sys.exit(1)


def listen(path):
    out = open(path, "a", buffering=1, encoding="utf-8")

    def on_event(event):
        kind = event.type.minor or event.type.detail or ""
        text = str(event.any_data).replace("\n", " ")
        out.write(f"{kind}\t{event.source.name}\t{text}\n")

    pyatspi.Registry.registerEventListener(on_event, "object:text-changed")
    out.write("listening\n")
    pyatspi.Registry.start()


def main():
    command = sys.argv[1]
    if command == "ready":
        pyatspi.Registry.getDesktop(0)
    elif command == "text":
        print(text_of(sys.argv[2]))
    elif command == "listen":
        listen(sys.argv[2])


if __name__ == "__main__":
    main()

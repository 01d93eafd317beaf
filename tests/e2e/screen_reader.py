#!/usr/bin/env python3
"""Reads the running program as a screen reader does, through AT-SPI.

  screen_reader.py ready             true once the accessibility registry answers
  screen_reader.py text NAME         prints the text of the program's object named NAME
  screen_reader.py names ROLE        prints the names of the program's objects of the role
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


def main():
    command = sys.argv[1]
    if command == "ready":
        pyatspi.Registry.getDesktop(0)
    elif command == "text":
        print(text_of(sys.argv[2]))
    elif command == "names":
        role = sys.argv[2]
        for node in walk(application()):
            if node.getRoleName() == role:
                print(node.name)


if __name__ == "__main__":
    main()

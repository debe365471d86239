#!/usr/bin/env python3
"""Prints a help page's text as a reader sees it: headings, paragraphs, list items and table
rows, one block a paragraph. For pictures of a page where no HTML engine is at hand."""
import html.parser
import sys
import textwrap


class PageText(html.parser.HTMLParser):
    def __init__(self):
        super().__init__()
        self.blocks, self.line, self.skip, self.cells = [], "", False, []

    def flush(self, prefix=""):
        text = " ".join(self.line.split())
        if text:
            self.blocks.append(prefix + text)
        self.line = ""

    def handle_starttag(self, tag, attrs):
        if tag in ("title", "style"):
            self.skip = True
        elif tag in ("td", "th"):
            self.line += "" if not self.cells else " | "
            self.cells.append(tag)

    def handle_endtag(self, tag):
        if tag in ("title", "style"):
            self.skip = False
        elif tag == "h1":
            self.flush()
            self.blocks.append("")
        elif tag == "h2":
            self.blocks.append("")
            self.flush()
        elif tag == "li":
            self.flush("  - ")
        elif tag == "tr":
            self.flush("  ")
            self.cells = []
        elif tag == "p":
            self.flush()

    def handle_data(self, data):
        if not self.skip:
            self.line += data


parser = PageText()
parser.feed(open(sys.argv[1], encoding="utf-8").read())
parser.flush()
width = int(sys.argv[2]) if len(sys.argv) > 2 else 78
for block in parser.blocks:
    indent = " " * (len(block) - len(block.lstrip()))
    print(textwrap.fill(block.strip(), width, initial_indent=indent, subsequent_indent=indent + ("  " if indent else "")) if block else "")

"""README.txt, the read-me a Windows user opens in Notepad, made from the
parts of README.md for users and administrators (between the marks
<!-- read-me --> and <!-- /read-me -->), so that the two cannot drift:

  readme.py README.md OUTPUT VERSION PRODUCT_CODE

The Markdown becomes plain text: headings underlined, tables as indented
terms, code kept as written, links and marks dropped. "<version>" and
"<product code>" become the release's own."""
import re
import sys
import textwrap

WIDTH = 76
START, END = "<!-- read-me -->", "<!-- /read-me -->"
UNDERLINES = {2: "=", 3: "-"}


def part(markdown):
    lines = markdown.splitlines()
    return lines[lines.index(START) + 1:lines.index(END)]


def inline(text, anchors):
    # A link to another section is read as its title, a link to a file as
    # its text.
    def link(match):
        label, target = match[1], match[2]
        return f'"{label}"' if target.startswith("#") and label in anchors else label
    text = re.sub(r"\[([^\]]+)\]\(([^)]+)\)", link, text)
    # Code with blanks in it stands in quotes, unless it holds quotes of
    # its own.
    text = re.sub(r"`([^`]*)`", lambda code: f'"{code[1]}"' if " " in code[1] and '"' not in code[1] else code[1],
                  text)
    return text.replace("**", "")


def cells(row):
    return [cell.strip() for cell in row.strip().strip("|").split("|")]


def table(rows, indent, anchors):
    """Each row as its first cell, then the others below it, each named by
    its column where there are more than one."""
    header, body = cells(rows[0]), [cells(row) for row in rows[2:]]
    out = []
    for row in body:
        out.append(" " * (indent + 2) + inline(row[0], anchors))
        for name, cell in zip(header[1:], row[1:]):
            text = inline(cell, anchors)
            if len(header) > 2:
                text = f"{name}: {text}"
            out += textwrap.wrap(text, WIDTH, initial_indent=" " * (indent + 6),
                                 subsequent_indent=" " * (indent + 6), break_on_hyphens=False)
    return out


def paragraph(lines, anchors):
    first = lines[0]
    indent = len(first) - len(first.lstrip())
    marker = re.match(r"(- |\d+\. )", first.lstrip())
    hanging = indent + (len(marker[1]) if marker else 0)
    text = inline(" ".join(line.strip() for line in lines), anchors)
    return textwrap.wrap(text, WIDTH, initial_indent=" " * indent, subsequent_indent=" " * hanging,
                         break_long_words=False, break_on_hyphens=False)


def blocks(lines):
    """Runs of lines between blank lines, each with whether a blank line
    came before it; a list item begins a run of its own."""
    block, spaced = [], True
    for line in lines:
        if not line.strip():
            if block:
                yield block, spaced
            block, spaced = [], True
        elif block and re.match(r"\s*(- |\d+\. )", line) and not block[0].startswith("    "):
            yield block, spaced
            block, spaced = [line], False
        else:
            block.append(line)
    if block:
        yield block, spaced


def convert(markdown, version, product_code):
    markdown = markdown.replace("<version>", version).replace("<product code>", product_code)
    lines = part(markdown)
    anchors = {line.lstrip("#").strip() for line in lines if line.startswith("#")}
    title = f"Quillon {version}"
    out = [title, "=" * len(title)]
    for block, spaced in blocks(lines):
        first = block[0]
        if first.startswith("<!--") or first.startswith("!["):
            continue
        if spaced:
            out.append("")
        heading = re.match(r"(#+) (.*)", first)
        if heading:
            level, text = len(heading[1]), inline(heading[2], anchors)
            out.append(text)
            if level in UNDERLINES:
                out.append(UNDERLINES[level] * len(text))
        elif first.lstrip().startswith("|"):
            out += table(block, len(first) - len(first.lstrip()), anchors)
        elif first.startswith("    ") and not re.match(r"\s*(- |\d+\. )", first):
            out += block
        else:
            out += paragraph(block, anchors)
    return "\n".join(out) + "\n"


if __name__ == "__main__":
    source, output, version, product_code = sys.argv[1:]
    with open(source, encoding="utf-8") as file:
        text = convert(file.read(), version, product_code)
    # Notepad of every Windows takes a file with the byte-order mark for
    # UTF-8, and the read-me holds a few words of other scripts.
    with open(output, "w", encoding="utf-8-sig", newline="\r\n") as file:
        file.write(text)

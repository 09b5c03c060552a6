#!/usr/bin/env python3
"""Makes the offline page: one HTML file from the page's template, the speller's ES module
(wasm inside) inlined into its one script, and the pictures as data: addresses. The page's
Content-Security-Policy allows exactly that script and that style sheet, by their hashes.

    make-page.py TEMPLATE MODULE OUTPUT [NAME=PICTURE.png ...]

@MODULE@ in the template becomes the module's text, @NAME@ each picture, @CSP@ the policy."""

import base64
import hashlib
import os
import re
import sys


def fail(message):
    sys.exit(f"make-page: {message}")


def between(text, start, end):
    """The text between the one `start` and the `end` after it."""
    if text.count(start) != 1:
        fail(f"the template must hold {start} once")
    begin = text.index(start) + len(start)
    return text[begin:text.index(end, begin)]


def digest(text):
    return "'sha256-" + base64.b64encode(hashlib.sha256(text.encode()).digest()).decode() + "'"


def main(template_path, module_path, output_path, *pictures):
    with open(template_path, encoding="utf-8") as file:
        page = file.read()
    with open(module_path, encoding="utf-8") as file:
        module = file.read().rstrip("\n")
    # Inside <script> these would end the script early, or change how HTML reads it.
    if re.search(r"</script|<!--", module, re.IGNORECASE):
        fail(f"{module_path} holds '</script' or '<!--' and cannot be inlined")
    # The page's code calls these two by name: the module must export them as it names them.
    exported = set(re.findall(r"^export\s+(?:async\s+)?(?:function\*?|class|const|let|var)\s+"
                              r"([\w$]+)", module, re.MULTILINE))
    for clause in re.findall(r"^export\s*\{([^}]*)\}", module, re.MULTILINE):
        for entry in clause.split(","):
            words = entry.split()
            if words and words[0] == words[-1]:
                exported.add(words[0])
    for name in ("zodziais", "SumaError"):
        if name not in exported:
            fail(f"{module_path} must export {name} under its own name")
    for picture in pictures:
        name, path = picture.split("=", 1)
        with open(path, "rb") as file:
            address = "data:image/png;base64," + base64.b64encode(file.read()).decode()
        page = page.replace(f"@{name}@", address)
    page = page.replace("@MODULE@", module)

    script = digest(between(page, '<script type="module">', "</script>"))
    style = digest(between(page, "<style>", "</style>"))
    policy = "; ".join([
        "default-src 'none'",
        f"script-src {script} 'wasm-unsafe-eval'",
        f"style-src {style}",
        "img-src data:",
        "base-uri 'none'",
        "form-action 'none'",
    ])
    head = between(page, "<head>", "</head>")
    if head.count("@CSP@") != 1 or re.search(r"@[A-Z0-9]+@", head.replace("@CSP@", "")):
        fail("the template's head must hold @CSP@ once and no other unfilled @NAME@")
    page = page.replace("@CSP@", policy, 1)

    partial = output_path + ".part"
    with open(partial, "w", encoding="utf-8", newline="\n") as file:
        file.write(page)
    os.replace(partial, output_path)


if __name__ == "__main__":
    if len(sys.argv) < 4:
        sys.exit(__doc__)
    main(*sys.argv[1:])

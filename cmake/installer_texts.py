#!/usr/bin/env python3
"""The Windows installer's own texts in every language of po/, written as an NSIS include
of LangStrings. NSIS's language files translate its standard pages; these are the few
texts CPack's installer script writes itself. xgettext reads the _() calls below into
po/flipora.pot, and this script, run by the build, reads them back from each language's
compiled catalogue.

    installer_texts.py OUT.nsh LOCALE_FOLDER CODE=NSIS_NAME...   (de=German pt_BR=PortugueseBR)
"""
import gettext
import sys


def _(text):
    return text


# The LangString names the installer script refers to, with their English texts.
TEXTS = {
    # TRANSLATORS: the installer asks this when it finds an earlier Flipora installed.
    "FliporaAlreadyInstalled": _("Flipora is already installed.\n\n"
                                 "Do you want to uninstall the old version before installing the new one?"),
    # TRANSLATORS: the installer could not remove the earlier Flipora.
    "FliporaUninstallFailed": _("Uninstall failed."),
}

def quoted(text):
    """A text as an NSIS string: $ doubled, quotes and line ends escaped."""
    return '"' + text.replace("$", "$$").replace('"', '$\\"').replace("\n", "$\\n") + '"'


def main(out, folder, languages):
    lines = [f"LangString {name} ${{LANG_ENGLISH}} {quoted(text)}" for name, text in TEXTS.items()]
    for language in languages:
        code, nsis_name = language.split("=")
        with open(f"{folder}/{code}/LC_MESSAGES/flipora.mo", "rb") as catalogue:
            translation = gettext.GNUTranslations(catalogue)
        lines += [f"LangString {name} ${{LANG_{nsis_name.upper()}}} {quoted(translation.gettext(text))}"
                  for name, text in TEXTS.items()]
    # NSIS reads a script as UTF-8 when it starts with the byte order mark.
    with open(out, "w", encoding="utf-8-sig") as f:
        f.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2], sys.argv[3:])

#!/usr/bin/env python3
"""One-off move of the sources into feature folders: every unit goes to the
folder of the feature it belongs to, tests follow their unit, and every
#include naming a moved header is rewritten. Run from the repository root."""
import os, re, subprocess, sys

# old folder -> {new folder: [unit base names]}
MAP = {
    "src/mainwindow": {
        "src/browse/shell": ["mainlayout", "pageswitch", "housekeeping", "menushortcuts"],
        "src/browse/tree": ["treeview", "seriesselection", "seriesmove", "seriesnav"],
        "src/browse/series": ["seriesedit", "seriesmenus", "themes"],
        "src/browse/seriespictures": ["seriespictures", "viewsize", "specialseries"],
        "src/browse/coins": ["coingrid", "coingridboxes", "coingridcells", "coingridcolumns",
                             "coingridheader", "coineditor", "calendar", "nahint", "udfvalues"],
        "src/browse/images": ["coinpictures", "imageadjust"],
        "src/browse/finders": ["findtext", "catalogkeys", "tracking", "trackcriteria", "textpattern"],
    },
    "src/mainwindow/ui": {
        "src/browse/shell/ui": ["mainform", "mainformcontrols", "mainformhousekeeping", "mainformmenus",
                                "mainformtools", "mainformwiring", "mainwidgets", "seams",
                                "waitingcommands", "toolwindowhoming", "shortcutform", "titleform"],
        "src/browse/tree/ui": ["seriestreeview", "treeimages"],
        "src/browse/series/ui": ["seriescommands", "newfolderform", "themepanel", "themeform"],
        "src/browse/seriespictures/ui": ["seriespicturepanel", "quarterform", "mainformpictures"],
        "src/browse/coins/ui": ["coineditorpanel", "coineditoruserfields", "coingrideditboxes",
                                "coingridimages", "coingridpage", "coingridview", "pickerbox",
                                "nacallout", "mainformeditor", "thumbnailstrip"],
        "src/browse/images/ui": ["coinimagespage", "repositoryform", "mainformimages"],
        "src/browse/finders/ui": ["findercommands", "findforms", "trackform"],
        "src/browse/countries/ui": ["countryform", "collectioncommands"],
    },
    "src/core": {
        "src/core/model": ["model", "mainstate", "money", "dates", "helpers", "commatext",
                           "currencytext", "gradetitles", "blocks", "currproc", "seriestree",
                           "shortcutcodes"],
        "src/core/files": ["valuestream", "collectionfile", "collectionsettings", "structurefile"],
        "src/core/catalogue": ["countries", "countryitems", "globe", "samplecatalogue"],
        "src/core/collection": ["collectionlifecycle", "disksearch", "coinentries", "seriesclipboard",
                                "textimport", "udffields", "udfhistory"],
        "src/core/program": ["log", "errorreport", "epicmessage", "startup", "settings"],
    },
    "src/core/ui": {
        "src/core/collection/ui": ["filetoopenform", "importform", "populateform", "udfform"],
        "src/core/program/ui": ["application", "centring", "epicmessageform", "errorform",
                                "pixelfont", "userinterface"],
    },
    "src/pricing": {
        "src/pricing/pricelists": ["pricefile", "pricelist", "pricegrid", "pricerows"],
        "src/pricing/valuation": ["valuation", "forex", "metals", "spotprices"],
        "src/pricing/statistics": ["statistics"],
        "src/pricing/pricetools": ["bullion", "forexview", "gradescales", "pasteprice"],
    },
    "src/pricing/ui": {
        "src/pricing/pricelists/ui": ["pricegridview"],
        "src/pricing/statistics/ui": ["statspanel"],
        "src/pricing/pricetools/ui": ["bullionform", "forexform", "gradesform", "pastepriceform"],
    },
    "src/reports": {
        "src/reports/datasets": ["reportdata"],
        "src/reports/run": ["paraminfo", "reportlist", "reportrun", "starterreports", "textcompare"],
    },
    "src/reports/ui": {
        "src/reports/run/ui": ["reportpreview", "reportprint", "reportspage"],
    },
    "src/updates": {
        "src/updates/server": ["ftpworker", "updateserver"],
        "src/updates/pricelists": ["priceupdate", "priceupdatemachine"],
    },
    "src/updates/ui": {
        "src/updates/pricelists/ui": ["countrychecklist", "priceupdateform"],
    },
}
# The structure-file writer is used by the catalogue generator, not only tests.
EXTRA = {"tests/support/structurewriter": "src/core/files/structurewriter"}

# Tests whose name is not a unit's: old path -> new folder.
TEST_EXTRA = {
    "tests/mainwindow/tst_mainform.cpp": "tests/browse/shell/ui",
    "tests/mainwindow/tst_screenshots.cpp": "tests/browse/shell/ui",
    "tests/pricing/tst_sampleprices.cpp": "tests/pricing/pricelists",
    "tests/core/tst_epicmessageform.cpp": "tests/core/program/ui",
    "tests/reports/tst_reportengine.cpp": "tests/reports/engine",
    "tests/platform/tst_platform.cpp": "tests/platform",
}

def git(*a):
    subprocess.run(["git", *a], check=True)

moves = {}  # old rel path (no ext) -> new rel path (no ext)
for old, targets in MAP.items():
    for new, units in targets.items():
        for u in units:
            moves[f"{old}/{u}"] = f"{new}/{u}"
moves.update(EXTRA)

# every source unit in the moved folders must have a place
for old in MAP:
    for f in os.listdir(old):
        base, ext = os.path.splitext(f)
        if ext in (".h", ".cpp") and f"{old}/{base}" not in moves:
            sys.exit(f"no place for {old}/{f}")

for o, n in moves.items():
    os.makedirs(os.path.dirname(n), exist_ok=True)
    for ext in (".h", ".cpp"):
        if os.path.exists(o + ext):
            git("mv", o + ext, n + ext)

# tests follow their unit: tests/<sub>/tst_<unit>.cpp -> tests/<new unit folder>/
unit_dir = {}
for o, n in moves.items():
    unit_dir[os.path.basename(o)] = os.path.dirname(n).replace("src/", "tests/", 1)
for sub in ("core", "mainwindow", "pricing", "reports", "updates"):
    d = f"tests/{sub}"
    if not os.path.isdir(d):
        continue
    for f in sorted(os.listdir(d)):
        if not f.startswith("tst_"):
            continue
        p = f"{d}/{f}"
        unit = f[4:-4]
        dest = TEST_EXTRA.get(p) or unit_dir.get(unit)
        if dest is None:
            sys.exit(f"no place for {p}")
        os.makedirs(dest, exist_ok=True)
        git("mv", p, f"{dest}/{f}")
for d in ("bench/mainwindow",):
    if os.path.isdir(d):
        git("mv", d, "bench/browse")

# rewrite includes
inc = re.compile(r'#include "([^"]+)\.h"')
def fix(m):
    p = m.group(1)
    n = moves.get("src/" + p)
    if n:
        return f'#include "{n[4:]}.h"'
    if p == "support/structurewriter":
        return '#include "core/files/structurewriter.h"'
    return m.group(0)
files = subprocess.run(["git", "ls-files", "src", "tests", "bench", "fuzz"], capture_output=True,
                       text=True, check=True).stdout.split()
for f in files:
    if not f.endswith((".h", ".cpp")):
        continue
    s = open(f, encoding="utf-8").read()
    t = inc.sub(fix, s)
    if t != s:
        open(f, "w", encoding="utf-8").write(t)
print(f"moved {len(moves)} units")

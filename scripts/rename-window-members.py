#!/usr/bin/env python3
"""Gives the main window's controls C++ names that say what they are.

The controls keep their design names as Qt object names (the strings passed
to Make<...>, setObjectName and findChild), so nothing a test or a style
sheet finds by name changes; only the C++ identifiers change.

The script rewrites whole identifiers in code and in comments, never inside
a string or character literal nor inside a "quoted" part of a comment. It
leaves alone the files of other windows that have members of the same design
names (each window of the tools has its own TabControl1, Button7, ...),
except where they reach the main window through MainForm, and, in the files
it does rewrite, a member reached through one of the
receivers in OTHER_RECEIVERS (another window in a test).

Run from the repository root: python3 scripts/rename-window-members.py
Running it again changes nothing: no new name is an old name.
"""
import os
import re
import sys

# old identifier -> new identifier: the main window (TMainFormControls,
# TMainForm), its Coins editor panel's members that it takes over, the
# fields of the layout rules that carry the same design names, and the
# members of the page parts below.
RENAMES = {
    # frame, menus, timers
    "TabControl1": "PageTabs",
    "TabControl1Change": "PageTabsChange",
    "ProgressBar1": "StatusProgressBar",
    "MenuItem8": "ProductMenu",
    "MenuItem16": "ToolsMenu",
    "MenuItem17": "NewCollectionAction",
    "AniIndicator1": "BusyIndicator",
    "SizeGrip1": "WindowSizeGrip",
    "Timer1": "StartupTimer",
    "Timer1Timer": "StartupTimerTimeout",
    "Timer1Interval": "StartupTimerInterval",
    # Series page
    "Layout20": "SeriesViewArea",
    "Button7": "TreeScrollUpButton",
    "Button8": "TreeScrollDownButton",
    "Button7Click": "TreeScrollButtonClick",
    "MagnifierGlass1": "MagnifierGlass",
    "TabControl2": "SideTabs",
    "TabControl2Change": "SideTabsChange",
    "Panel6": "ImageSidePanel",
    "Panel1": "ObversePanel",
    "Panel2": "ReversePanel",
    "Image2": "ObverseImage",
    "Image3": "ReverseImage",
    "Label45": "NextSeriesLabel",
    "Label45Click": "NextSeriesLabelClick",
    "ShadowEffect1": "CornerButtonShadow",
    # Pricing page
    "Layout13": "PriceListNameLayout",
    "Layout19": "PriceTitleLayout",
    "Label132": "PriceCountryLabel",
    "Label139": "PriceDateLabel",
    "Layout17": "PriceColumnsLayout",
    "Layout18": "PriceButtonsLayout",
    "Layout11": "ForexLayout",
    # Coins page
    "Rectangle9": "SettingSlideBackground",
    "Rectangle10": "ImageSlideBackground",
    "Label41": "CommentCaption",
    "GridPanelLayout1": "UserFieldsPanel",
    "Button9": "TodayButton",
    "Button9Click": "TodayButtonClick",
    "Button10": "DateCancelButton",
    "ImageViewer1": "PrevMonthButton",
    "ImageViewer2": "NextMonthButton",
    # Reports page: the report bin's buttons in the layout rules
    "Layout9": "BinButtons",
    # Coins page: the totals under the grid (TCoinGridPage)
    "Label78": "SelectedSumLabel",
    "Label79": "PriceSumLabel",
    "Label80": "ValueSumLabel",
    "Label81": "HaveSumLabel",
    "Label82": "NeedSumLabel",
    "Label83": "SellSumLabel",
    "Label84": "SoldSumLabel",
    "Label85": "MetalNameLabel",
    "Label93": "MetalAmountLabel",
    # Series page: the user-series callout and the "Theme setup" command
    # (TSeriesCommands)
    "Label140": "HintText",
    "RoundRect1": "PricingTabRing",
    "MenuItem1": "ThemeSetupAction",
    "MenuItem1Click": "ThemeSetupClick",
}

ROOTS = ["src", "tests", "bench"]

# Files of other windows whose own members carry the same design names.
OTHER_WINDOWS = re.compile(r"""^(
      src/tools/
    | src/updates/
    | src/pricing/pricetools/
    | src/reports/filters/
    | src/reports/ebooks/
    | src/reports/charts/
    | src/reports/run/
    | src/core/
    | src/platform/
    | src/browse/countries/ui/countryform\.
    | src/browse/series/ui/newfolderform\.
    | src/browse/series/ui/themeform\.
    | src/browse/shell/ui/titleform\.
    | src/browse/finders/ui/(findforms|trackform)\.
    | src/browse/seriespictures/ui/quarterform\.
    | src/browse/images/ui/repositoryform\.
    | src/browse/tips/
    | tests/(tools|updates|core|platform)/
    | tests/pricing/pricetools/
    | tests/reports/(filters|ebooks|charts|run)/
    )""", re.X)

# In the files rewritten, a member reached through one of these belongs to
# another window (tests open tool windows beside the main window).
OTHER_RECEIVERS = {"explorer", "window", "china", "roman", "grades", "bullion"}

# In the files of other windows, a member reached through the global main
# window is the main window's (the title window starts its start-up timer).
MAIN_RECEIVERS = {"MainForm"}

TOKEN = re.compile(r'''
    (?P<lc>//[^\n]*)
  | (?P<bc>/\*.*?\*/)
  | (?P<raw>R"(?P<delim>[^(\s]*)\(.*?\)(?P=delim)")
  | (?P<str>(?:u8|u|U|L)?"(?:\\.|[^"\\\n])*")
  | (?P<chr>(?:u8|u|U|L)?'(?:\\.|[^'\\\n])*')
  | (?P<num>\b\d[\w.']*)
  | (?P<id>[A-Za-z_]\w*)
  | (?P<ws>\s+)
  | (?P<other>.)
''', re.S | re.X)

WORD = re.compile(r"\b(" + "|".join(sorted(RENAMES, key=len, reverse=True)) + r")\b")
QUOTED = re.compile(r'"[^"\n]*"')


def rename_comment(text):
    # Whole words outside "quoted" parts, which name design names.
    out, pos = [], 0
    for q in QUOTED.finditer(text):
        out.append(WORD.sub(lambda m: RENAMES[m.group(1)], text[pos:q.start()]))
        out.append(q.group(0))
        pos = q.end()
    out.append(WORD.sub(lambda m: RENAMES[m.group(1)], text[pos:]))
    return "".join(out)


def rewrite(source, other_window=False):
    tokens = [(m.lastgroup if m.lastgroup != "delim" else "raw", m.group(0)) for m in TOKEN.finditer(source)]
    out, count, used = [], 0, set()
    significant = []  # indexes into out of the code tokens so far (not blanks nor comments)
    for kind, text in tokens:
        new = text
        if kind == "id" and text in RENAMES:
            prev = [out[i] for i in significant[-3:]]
            member = prev[-1:] == ["."] or prev[-2:] == ["-", ">"]
            receiver = (prev[-2] if prev[-1:] == ["."] else prev[-3]) if member and len(prev) >= 2 + (prev[-1] == ">") else None
            if receiver in MAIN_RECEIVERS if other_window else receiver not in OTHER_RECEIVERS:
                new = RENAMES[text]
        elif kind in ("lc", "bc") and not other_window:
            new = rename_comment(text)
        if new != text:
            found = WORD.findall(text) if kind in ("lc", "bc") else [text]
            count += len(found)
            used.update(found)
        out.append(new)
        if kind not in ("ws", "lc", "bc"):
            significant.append(len(out) - 1)
    return "".join(out), count, used


TRAILING = re.compile(r"^(?P<code>.*?\S)(?P<gap> {2,})(?P<comment>//.*)$")


def keep_comment_columns(before, after):
    # A trailing comment lined up with its neighbours stays in its column
    # (or two blanks after the code when the code grew past it).
    lines = []
    for old, new in zip(before.split("\n"), after.split("\n")):
        o, n = TRAILING.match(old), TRAILING.match(new)
        if old != new and o and n:
            column = len(o.group("code")) + len(o.group("gap"))
            new = n.group("code") + " " * max(2, column - len(n.group("code"))) + n.group("comment")
        lines.append(new)
    return "\n".join(lines)


def main():
    if sorted(set(RENAMES) & set(RENAMES.values())):
        sys.exit("a new name is also an old name: the script would not be idempotent")
    files = names = 0
    used = set()
    for root in ROOTS:
        for dirpath, _, filenames in os.walk(root):
            for name in sorted(filenames):
                if not name.endswith((".h", ".cpp")):
                    continue
                path = os.path.join(dirpath, name)
                with open(path, encoding="utf-8") as f:
                    source = f.read()
                result, count, found = rewrite(source, bool(OTHER_WINDOWS.match(path)))
                result = keep_comment_columns(source, result)
                if result != source:
                    with open(path, "w", encoding="utf-8") as f:
                        f.write(result)
                    files += 1
                    names += count
                    used.update(found)
    print(f"{names} occurrences of {len(used)} names rewritten in {files} files")


if __name__ == "__main__":
    main()

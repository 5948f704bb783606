#pragma once
// "Use large fonts": the sizes in pixels that the option switches between,
// for every control it touches. One table, so the two modes cannot drift
// apart and switching twice always comes back to where it started.
struct tLargeFontSizes {
    int EditorLabels;        // the entry editor's and user-defined fields' labels
    int TabCaptions;         // the main tabs
    int MetalLabels;         // the bullion prices on the status line
    int ReportCornerButtons; // "Description", "Preview", "Report Bin"
    int ReportListCaption;   // "Available reports:"
    int SlideStripWidth;     // the settings and thumbnail strips, and their labels' height
    int SlideStripFont;
    int ReportDescription;
    int CaptionLineHeight;   // the panel of the red caption
    int GridRowHeight;
    int GridFont;
    bool GridBold;
    int BinCount;            // the Coins page's count of entries in the report bin
    bool operator==(const tLargeFontSizes &) const = default;
};

tLargeFontSizes LargeFontSizes(bool large);

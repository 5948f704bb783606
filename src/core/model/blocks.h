#pragma once
// Block numbers: one constant per operation, held in CurrProc while the
// operation runs (see core/model/currproc.h) and shown in the error window, so a
// report from a user names the operation that failed.
//
// Numbers have five digits: the subsystem (1 collection core, 2 prices,
// 3 main window, 4 reports, 5 online updates, 6 tools), two digits for the
// unit and two for the operation within it. A unit takes its hundred here
// before it uses it; a number is never reused for another operation.
namespace Blocks {

// Collection lifecycle (104xx).
constexpr int CreateDefaultDatabase = 10401;
constexpr int SaveDataToFile = 10402;
constexpr int RotatingBackupName = 10403;
constexpr int CreateBackupZip = 10404;
constexpr int UpdateRecentFiles = 10405;
constexpr int FormCloseQuery = 10406;
constexpr int AutoSave = 10407;
constexpr int OpenCollectionFile = 10408;
constexpr int NewCollection = 10409;

// Welcome window and disk search (118xx).
constexpr int FileToOpenOK = 11801;
constexpr int DiskSearch = 11802;

// Countries Explorer (110xx).
constexpr int LoadCountryItems = 11001;
constexpr int BuildCountriesData = 11002;
constexpr int AddCountryItems = 11003;

// Collection clipboard (113xx).
constexpr int CopyFolderToClipboard = 11301;
constexpr int PasteFromClipboard = 11302;

// Text import (115xx).
constexpr int ImportFile = 11501;
constexpr int AcceptImport = 11502;

// User-field records and their history lists (119xx).
constexpr int BuildUDFHistoryLists = 14600;

// Settings store (1065x). The countries and default structures hold
// 10600-10649 (src/core/catalogue/countries.cpp), the sample catalogue among them.
constexpr int LoadFormState = 10651;
constexpr int WriteFormState = 10652;
constexpr int ReadSetting = 10653;
constexpr int WriteSetting = 10654;

// Message box, log and error reporting (107xx).
constexpr int ShowEpicMessage = 10701;
constexpr int LogEntry = 10702;
constexpr int EpicMessageShow = 10703;
constexpr int EpicMessageClose = 10704;
constexpr int ErrorFormShow = 10705;

// Housekeeping timer and tool-window homing (108xx).
constexpr int FormsTimer = 10801;
constexpr int PullToFront = 10802;

// Image repository window (306xx).
constexpr int RepositoryOK = 30601;
constexpr int AttachRepositoryImages = 30602;

// Coin pictures on the Images page (312xx).
constexpr int LoadCoinImage = 31201;
constexpr int LoadImageButtonClick = 31202;
constexpr int EraseImageButtonClick = 31203;
constexpr int PrintImageButtonClick = 31204;
constexpr int SaveImageButtonClick = 31205;
constexpr int PasteImageButtonClick = 31206;
constexpr int ApplyImageAdjustments = 31207;

// Collection statistics (208xx).
constexpr int StartCalcThread = 20801;

// Series pictures, the real-size view, the thumbnail strip and the
// special-series window (328xx).
constexpr int FullPath = 32801;
constexpr int ShowImage = 32802;
constexpr int OpenLargePicture = 32803;
constexpr int BigImageDown = 32804;
constexpr int ViewSize = 32805;
constexpr int DrawSmoothOutline = 32806;
constexpr int DrawPolygonOutline = 32807;
constexpr int DrawScallopedOutline = 32808;
constexpr int RenderViewSize = 32809;
constexpr int PlaceThumbnailPanel = 32810;
constexpr int ShowThumbnails = 32811;
constexpr int SpecialSeriesOK = 32812;

} // namespace Blocks

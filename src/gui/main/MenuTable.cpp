#include "gui/main/MenuTable.h"

namespace orv {

const MenuCommand kMainMenu[] = {
    {"&File", nullptr, "mmSaveWindowPositions", "Save Size && Position of &Windows", nullptr, true, true},
    {"&File", nullptr, "mmBackupRestore", "&Backup or Restore Data...", nullptr, false, false},
    {"&File", nullptr, "mmSetNewDataPath", "Set New Data Path...", nullptr, false, true},
    {"&File", "&Import Data", "mmImportPrices", "Prices, Distributions...", nullptr, false, false},
    {"&File", "&Import Data", "mmImportTransactions", "Transactions...", nullptr, false, false},
    {"&File", "&Export Data", "mmExportPrices", "Prices, Distributions", nullptr, false, false},
    {"&File", "&Export Data", "mmExportTransactions", "Transactions", nullptr, false, false},
    {"&File", nullptr, nullptr, nullptr, nullptr, false, true},
    {"&File", nullptr, "mmExit", "E&xit", nullptr, false, true},

    {"&Edit", "&Master List", "mmColumnHeadings", "&Column Headings", nullptr, false, false},
    {"&Edit", "&Master List", "mmNewEntry", "&New Entry", "Ins", false, false},
    {"&Edit", "&Master List", "mmEditTableEntries", "&Edit Table Entries", "Ctrl+E", false, false},
    {"&Edit", "&Master List", "mmDeleteEntry", "&Delete Entry", "Del", false, false},
    {"&Edit", "&Master List", "mmSwapPositions", "&Swap Positions", nullptr, false, true},
    {"&Edit", "&Master List", "mmAssetAllocation", "Asset Allocation Titles && Assignments", nullptr, false, false},
    {"&Edit", "&Master List", "mmEraseTable", "Erase Table", nullptr, false, false},
    {"&Edit", nullptr, "mmPortfolioDirectory", "&Portfolio Directory", "Ctrl+Shift+P", false, false},
    {"&Edit", nullptr, nullptr, nullptr, nullptr, false, true},
    {"&Edit", nullptr, "mmPricesSelected", "Prices - &Selected Entry", "Ctrl+P", false, false},
    {"&Edit", nullptr, "mmPricesActiveColumn", "Prices - Active &Column", nullptr, false, false},
    {"&Edit", nullptr, "mmPricesAll", "Prices - &All Entries", nullptr, false, false},
    {"&Edit", nullptr, "mmResetAdjPrices", "&Reset Adjusted Prices...", nullptr, false, false},
    {"&Edit", nullptr, nullptr, nullptr, nullptr, false, true},
    {"&Edit", nullptr, "mmDistributions", "&Distributions", nullptr, false, false},
    {"&Edit", nullptr, "mmTransactions", "&Transactions", "Ctrl+T", false, false},

    {"&View", nullptr, "mmDisplayAccountStatus", "Display Open/Closed Accounts Status", nullptr, true, false},
    {"&View", nullptr, "mmOpenAccounts", "&Open Accounts", nullptr, true, false},
    {"&View", nullptr, "mmClosedAccounts", "&Closed Accounts", nullptr, true, false},
    {"&View", nullptr, "mmBothAccounts", "&Both Open and Closed Accounts", nullptr, true, false},
    {"&View", nullptr, "mmClearAccounts", "Clear Displayed Accounts", nullptr, false, false},
    {"&View", nullptr, nullptr, nullptr, nullptr, false, true},
    {"&View", nullptr, "mmQuickReport", "&Quick Report", "Ctrl+Q", false, false},
    {"&View", nullptr, "mmFind", "&Find", "Ctrl+F", false, false},
    {"&View", nullptr, "mmTableOptions", "Table &Options", "Ctrl+O", false, false},

    {"&Modem", nullptr, "mmAutoDownload", "Automatic Data Download", nullptr, false, false},
    {"&Modem", nullptr, "mmManualInteraction", "Manual Interaction", nullptr, false, false},
    {"&Modem", nullptr, "mmServicesSetup", "Services Setup...", nullptr, false, false},

    {"&Graphs", nullptr, "mmGraphSelected", "Selected Issue", "Ctrl+G", false, false},
    {"&Graphs", nullptr, "mmGraphCurrentPortfolio", "Current Portfolio", nullptr, false, false},
    {"&Graphs", nullptr, "mmGraphMultiplePortfolios", "Multiple Portfolios", nullptr, false, false},

    {"&Reports", nullptr, "mmRptMasterListSummary", "Master &List Summary", nullptr, false, false},
    {"&Reports", nullptr, "mmRptMasterListBuySell", "Master List &Buy/Sell Report", nullptr, false, false},
    {"&Reports", nullptr, "mmRptPriceHistory", "&Price History", nullptr, false, false},
    {"&Reports", nullptr, "mmRptDsbHistory", "&Distribution History", nullptr, false, false},
    {"&Reports", nullptr, nullptr, nullptr, nullptr, false, true},
    {"&Reports", nullptr, "mmRptPortfolioSummary", "Portfolio &Summary", "Ctrl+S", false, false},
    {"&Reports", nullptr, "mmRptGainLoss", "Portfolio &Gain/Loss", "Ctrl+/", false, false},
    {"&Reports", nullptr, "mmRptAssetAllocation", "Portfolio &Asset Allocation", "Ctrl+A", false, false},
    {"&Reports", nullptr, "mmRptCostBasis", "Portfolio-Security C&ost Basis", "Ctrl+B", false, false},
    {"&Reports", nullptr, "mmRptCrossReference", "Portfolio-Security &Cross Reference", "Ctrl+X", false, false},

    {"&Help", nullptr, "mmHelpContents", "Contents", nullptr, false, false},
    {"&Help", nullptr, "mmWelcome", "Welcome To ORV", nullptr, false, true},
    {"&Help", nullptr, "mmUpdate", "Get Latest ORV Update", nullptr, false, false},
    {"&Help", nullptr, nullptr, nullptr, nullptr, false, true},
    {"&Help", nullptr, "mmAboutWindows", "About &Windows...", nullptr, false, true},
    {"&Help", nullptr, "mmAboutORV", "&About ORV...", nullptr, false, true},
};
const int kMainMenuCount = int(sizeof(kMainMenu) / sizeof(kMainMenu[0]));

const SpeedButton kSpeedButtons[] = {
    {"sbtnBackupRestore", "Backup/Restore Data", "mmBackupRestore"},
    {"sbtnPortfolioDirectory", "Portfolio Directory", "mmPortfolioDirectory"},
    {"sbtnAutoDownload", "Automatic Data Download", "mmAutoDownload"},
    {"sbtnGraph", "Graph of Selected Security", "mmGraphSelected"},
    {"sbtnRptPortfolioSummary", "Portfolio Summary Report", "mmRptPortfolioSummary"},
    {"sbtnRptGainLoss", "Portfolio Gain/Loss Report", "mmRptGainLoss"},
    {"sbtnRptAssetAllocation", "Portfolio Asset Allocation Report", "mmRptAssetAllocation"},
    {"sbtnRptCrossReference", "Portfolio-Security Cross Reference Report", "mmRptCrossReference"},
    {"sbtnRptCostBasis", "Portfolio-Security Cost Basis Report", "mmRptCostBasis"},
    {"sbtnTransactions", "Edit Transactions", "mmTransactions"},
    {"sbtnUpdate", "Get Latest ORV Update", "mmUpdate"},
    {"sbtnFind", "Find Master List Entry", "mmFind"},
};
const int kSpeedButtonCount = int(sizeof(kSpeedButtons) / sizeof(kSpeedButtons[0]));

}  // namespace orv

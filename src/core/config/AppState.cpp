#include "core/config/AppState.h"

namespace orv {

AppState& appState()
{
    static AppState state;
    return state;
}

Folders AppState::folders() const
{
    return {ProgramPath, UserPath, DataPath, BackupPath, TempPath, HelpPath};
}

void AppState::setFolders(const Folders& f)
{
    ProgramPath = f.ProgramPath;
    UserPath = f.UserPath;
    DataPath = f.DataPath;
    BackupPath = f.BackupPath;
    TempPath = f.TempPath;
    HelpPath = f.HelpPath;
}

namespace {
QString trimRight(const QString& s)
{
    qsizetype n = s.size();
    while (n > 0 && s.at(n - 1).isSpace())
        --n;
    return s.left(n);
}
}  // namespace

void setActivePortfolio(AppState& st, const std::optional<PortfolioNames>& pf)
{
    if (!pf) {
        st.ActivePfID = -1;
        st.ActivePfShortName.clear();
        st.ActivePfLongName.clear();
        st.ActivePfTaxID.clear();
        st.ActivePfTitle.clear();
        st.ActivePfCaption.clear();
        return;
    }
    st.ActivePfID = pf->PfID;
    st.ActivePfShortName = pf->ShortName;
    st.ActivePfLongName = pf->LongName;
    st.ActivePfTaxID = pf->TaxID;
    const QString shortTrim = pf->ShortName.trimmed();
    const QString longTrim = pf->LongName.trimmed();
    st.ActivePfTitle = longTrim.isEmpty() ? shortTrim : longTrim;
    st.ActivePfCaption = QLatin1Char(' ') + shortTrim;
    if (!longTrim.isEmpty())
        st.ActivePfCaption += QStringLiteral(" : ") + trimRight(pf->LongName);
}

}  // namespace orv

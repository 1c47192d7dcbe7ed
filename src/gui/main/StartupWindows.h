#pragma once
// The splash screen shown during start-up, the Welcome window and the About window.

#include <QDialog>
#include <QWidget>

class QCheckBox;
class QLabel;

namespace orv {

class SplashScreen : public QWidget {
    Q_OBJECT
public:
    explicit SplashScreen(QWidget* parent = nullptr);
    void setStatus(const QString& text);  // progress of start-up work (backup check)

private:
    QLabel* status_;
};

class TfrmWelcome : public QDialog {
    Q_OBJECT
public:
    explicit TfrmWelcome(bool showWelcome, QWidget* parent = nullptr);
    bool showWelcome() const;
    QCheckBox* showCheck() const { return cbShowWelcome_; }

private:
    QCheckBox* cbShowWelcome_;
};

class TfrmAbout : public QDialog {
    Q_OBJECT
public:
    TfrmAbout(const QString& programPath, const QString& dataPath, QWidget* parent = nullptr);
    QLabel* programLabel() const { return lblProgram_; }
    QLabel* dataLabel() const { return lblData_; }

    static constexpr int kPathLabelWidth = 265;

private:
    QLabel* lblProgram_;
    QLabel* lblData_;
};

}  // namespace orv

#pragma once

#include "FieldDialog.h"

#include <QString>
#include <QTime>
#include <optional>
#include <string>

class QCheckBox;
class QLineEdit;
struct GlobalSettings;

// Edits the daily time window: whether it is in force, and the times before
// and after which no package starts. The times are typed as text in the
// user's locale time format; OK refuses text that is not a time.
class CTimeRestriction : public FieldDialog {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 167;
    static constexpr int kEnabledId = 1028;
    static constexpr int kNotBeforeId = 1026;
    static constexpr int kNotAfterId = 1027;

    explicit CTimeRestriction(QWidget* parent = nullptr);

    int enabled = 0;                        // 0 or 1
    QTime notAfter = QTime::currentTime();  // hour and minute are used
    QTime notBefore = QTime::currentTime(); // hour and minute are used

    // The members from startJob, endJob and jobWindow; a stored time without
    // a colon before its minute reads as 00:00, an impossible one as invalid.
    // A stored text that is no time is shown as it stands, so that OK asks
    // for a time rather than storing one the user never saw.
    void loadFrom(const GlobalSettings& global);
    // startJob and endJob as "HH:MM" whether enabled or not, jobWindow
    // "ENABLE" or "DISABLED". A box left as shown keeps its stored text, and
    // jobWindow stays when nothing changed. The row then shows
    // ScheduleText::jobWindowDisplay(enabled, startJob, endJob).
    void applyTo(GlobalSettings& global) const;

    // A time as the boxes show it: the default locale's short time format.
    static QString timeText(const QTime& time);
    // A typed time: the locale's time or date-and-time formats, or H:mm[:ss];
    // invalid when the text is none of them.
    static QTime readTime(const QString& text);

    void accept() override;

protected:
    void exchangeFieldsIn() override;

private:
    // One time box and the stored text it was loaded from.
    struct Stored {
        std::optional<std::string> text;
        QString shown;
        bool kept = false;
    };
    void enableTimes(bool on);
    // The time typed in `box`, or the member kept when the box shows its
    // stored text; false after the refusal was shown.
    bool readBox(QLineEdit* box, Stored& stored, QTime& time, bool on);
    static std::string textOf(const Stored& stored, const QTime& time);

    Stored before_;
    Stored after_;
    std::optional<std::string> window_;
    int loadedEnabled_ = 0;

    QCheckBox* enabled_;
    QLineEdit* notBefore_;
    QLineEdit* notAfter_;
};

#pragma once

#include "FieldDialog.h"
#include "KeptText.h"
#include "ScheduleChoice.h"
#include "config/TargetServer.h"
#include "config/ValueTable.h"

#include <QTime>
#include <optional>
#include <string>

class QCheckBox;
class QComboBox;
class QLineEdit;

// Edits one target server of a package: server and volume names, transport
// protocol, bandwidth limit, broadcast-message flag and its own schedule.
// OK refuses a server or volume name that is empty or holds a blank, comma,
// tab or line break (the DEST line would not read back), and a bandwidth
// that is not a whole number from 0 to 1000000.
class CTargetServer : public FieldDialog {
    Q_OBJECT

public:
    static constexpr int kTemplateId = 160;
    static constexpr int kServerId = 1019;
    static constexpr int kVolumeId = 1020;
    static constexpr int kProtocolId = 1014;
    static constexpr int kBandwidthId = 1029;
    static constexpr int kSendMessageId = 1021;
    static constexpr int kBandwidthLimit = ValueTable::kBandwidthLimit;
    // scheduleMode: 0 package default, 1 daily at startTime, 2 every N hours.
    static constexpr ScheduleChoice::Modes kModes{0, 1, 2};

    explicit CTargetServer(QWidget* parent = nullptr);

    std::string protocol;                   // "(default)", "TCP", "UDP" or "IPX"
    std::string server;                     // Windows-1252; upper case after OK
    std::string volume;                     // Windows-1252
    int bandwidth = 0;                      // kB per second
    int sendMessage = 0;                    // 0 or 1
    QTime startTime = QTime::currentTime(); // hour and minute are used
    int scheduleMode = -1;                  // -1: no button checked
    int everyIndex = -1;                    // into ScheduleText::kHourChoices; -1 none

    // The members of a target being inserted: default protocol, package schedule.
    void startNew();
    // The members from a stored target (bandwidth text without a number gives 0).
    void loadFrom(const TargetServer& target);
    // The members into a target: server upper-cased, msg "ON"/"OFF", bandwidth
    // in decimal, schedule as scheduleWord(). A member still as loadFrom set
    // it leaves the target's text alone, so "srv-b1" or a bandwidth "064"
    // stay as the file has them.
    void applyTo(TargetServer& target) const;
    // Empty for the package default, "HH:MM" for daily, else the hours
    // choice; the loaded word as it stands while the schedule is unchanged.
    std::string scheduleWord() const;

    void accept() override;

protected:
    void exchangeFieldsIn() override;

private:
    QLineEdit* server_;
    QLineEdit* volume_;
    QComboBox* protocol_;
    QLineEdit* bandwidth_;
    QCheckBox* sendMessage_;
    ScheduleChoice* schedule_;
    // The members as loadFrom set them, and the target they came from;
    // nothing for a new target.
    struct Loaded {
        std::string server;
        std::string volume;
        std::string protocol;
        int bandwidth;
        int sendMessage;
        TargetServer stored;
    };
    std::optional<Loaded> loaded_;
    std::optional<std::string> unlistedSchedule_;
    KeptText<ScheduleChoice::Members> keptSchedule_;
};

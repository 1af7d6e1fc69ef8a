#include "CTargetServer.h"

#include "CChoice.h"
#include "config/TargetServer.h"
#include "framework/AnsiQt.h"
#include "text/TextUtil.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <algorithm>
#include <iterator>

namespace {

// The stored protocol keywords in list order; the list shows the first one
// as "(package default)".
std::span<const std::string_view> protocolKeywords() {
    return CChoice::items(ChoiceProtocol);
}

QString upperAscii(QString text) {
    for (QChar& c : text)
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - u'a' + u'A');
    return text;
}

QLineEdit* lineEdit(int resourceId) {
    auto* edit = new QLineEdit;
    ValueDialog::setResourceId(*edit, resourceId);
    return edit;
}

} // namespace

CTargetServer::CTargetServer(QWidget* parent)
    : FieldDialog(kTemplateId, "Target Server", 211, 178, parent), server_(lineEdit(kServerId)),
      volume_(lineEdit(kVolumeId)), protocol_(new QComboBox), bandwidth_(lineEdit(kBandwidthId)),
      sendMessage_(new QCheckBox(QStringLiteral("Send broadcast notification messages"))),
      schedule_(new ScheduleChoice(kModes, nullptr)) {
    // The server box takes upper case only, as the engine's names are.
    connect(server_, &QLineEdit::textEdited, server_, [this](const QString& text) {
        const int cursor = server_->cursorPosition();
        server_->setText(upperAscii(text));
        server_->setCursorPosition(cursor);
    });
    setResourceId(*protocol_, kProtocolId);
    protocol_->setEditable(false);
    setResourceId(*sendMessage_, kSendMessageId);

    auto* bandwidthRow = new QHBoxLayout;
    bandwidthRow->addWidget(bandwidth_);
    bandwidthRow->addWidget(new QLabel(QStringLiteral("kB/sec")));

    auto* panel = new QWidget(this);
    auto* form = new QFormLayout(panel);
    form->setContentsMargins(0, 0, 0, 0);
    form->addRow(QStringLiteral("Server name:"), server_);
    form->addRow(QStringLiteral("Volume name:"), volume_);
    form->addRow(QStringLiteral("Transport protocol:"), protocol_);
    form->addRow(QStringLiteral("Bandwidth limit:"), bandwidthRow);
    form->addRow(sendMessage_);
    form->addRow(QStringLiteral("Schedule:"), schedule_);
    setValueControl(panel);
}

void CTargetServer::startNew() {
    protocol = protocolKeywords().front();
    scheduleMode = kModes.packageDefault;
}

void CTargetServer::loadFrom(const TargetServer& target) {
    server = target.server();
    volume = target.volume();
    protocol = target.protocol();
    sendMessage = target.msg() == "ON" ? 1 : 0;
    bandwidth = TextUtil::leadingInt(TextUtil::trimLeft(target.bandwidth()));
    if (ScheduleChoice::readWord(kModes, target.schedule(), scheduleMode, startTime, everyIndex))
        unlistedSchedule_.reset();
    else
        unlistedSchedule_ = std::string(target.schedule());
    keptSchedule_.load(target.schedule(), {scheduleMode, startTime, everyIndex});
    loaded_ = Loaded{server, volume, protocol, bandwidth, sendMessage, target};
}

void CTargetServer::applyTo(TargetServer& target) const {
    const Loaded* was = loaded_ ? &*loaded_ : nullptr;
    const auto same = [was](const auto& now, const auto Loaded::*member) {
        return was != nullptr && now == was->*member;
    };
    target.setServer(was != nullptr && TextUtil::upper(server) == TextUtil::upper(was->server)
                         ? was->stored.server()
                         : std::string_view(TextUtil::upper(server)));
    target.setVolume(same(volume, &Loaded::volume) ? was->stored.volume() : volume);
    target.setProtocol(same(protocol, &Loaded::protocol) ? was->stored.protocol() : protocol);
    target.setMsg(same(sendMessage, &Loaded::sendMessage) ? was->stored.msg()
                  : sendMessage != 0                      ? "ON"
                                                          : "OFF");
    target.setBandwidth(same(bandwidth, &Loaded::bandwidth) ? was->stored.bandwidth()
                                                            : std::to_string(bandwidth));
    target.setSchedule(scheduleWord());
}

std::string CTargetServer::scheduleWord() const {
    return keptSchedule_.orRebuilt(
        {scheduleMode, startTime, everyIndex},
        ScheduleChoice::word(kModes, scheduleMode, startTime, everyIndex));
}

void CTargetServer::exchangeFieldsIn() {
    server_->setText(AnsiQt::toQString(TextUtil::upper(server)));
    volume_->setText(AnsiQt::toQString(volume));
    // A stored bandwidth that is no number is shown as it stands, so that
    // OK asks for one rather than storing the 0 it reads as.
    bandwidth_->setText(loaded_ ? AnsiQt::toQString(loaded_->stored.bandwidth())
                                : QString::number(bandwidth));
    sendMessage_->setChecked(sendMessage != 0);
    schedule_->showValues(scheduleMode, startTime, everyIndex);
    schedule_->showUnlisted(unlistedSchedule_);

    protocol_->clear();
    protocol_->addItems({QStringLiteral("(package default)"), QStringLiteral("TCP"),
                         QStringLiteral("UDP"), QStringLiteral("IPX")});
    const auto keywords = protocolKeywords();
    const auto match = std::find(keywords.begin(), keywords.end(), protocol);
    chooseStored(*protocol_,
                 match == keywords.end() ? -1
                                         : static_cast<int>(std::distance(keywords.begin(), match)),
                 protocol);
}

void CTargetServer::accept() {
    if (refuseUnfit(*server_, "server name") || refuseUnfit(*volume_, "volume name"))
        return;
    const std::string typedServer = TextUtil::upper(AnsiQt::fromQString(server_->text()));
    const std::string typedVolume = AnsiQt::fromQString(volume_->text());
    const Status names = SaveRules::checkTargetName(typedServer, typedVolume);
    if (!names.ok) {
        // A server name that keeps passes as both names.
        const bool serverKeeps = SaveRules::checkTargetName(typedServer, typedServer).ok;
        refuse(names.error, serverKeeps ? volume_ : server_);
        return;
    }
    const std::optional<int> typedBandwidth = readInteger(*bandwidth_, 0, kBandwidthLimit);
    if (!typedBandwidth)
        return;

    if (choosesStored(*protocol_)) {
        refuse("Please choose a transport protocol.", protocol_);
        return;
    }
    const std::string_view schedule =
        ScheduleChoice::problem(kModes, schedule_->mode(), schedule_->everyIndex());
    if (!schedule.empty()) {
        refuse(schedule, schedule_->problemControl());
        return;
    }
    const int protocolIndex = protocol_->currentIndex();
    // No item is chosen only for a target that gives no protocol; it keeps it.
    if (protocolIndex >= 0)
        protocol = protocolKeywords()[static_cast<std::size_t>(protocolIndex)];
    server = typedServer;
    volume = typedVolume;
    bandwidth = *typedBandwidth;
    sendMessage = sendMessage_->isChecked() ? 1 : 0;
    startTime = schedule_->time();
    scheduleMode = schedule_->mode();
    everyIndex = schedule_->everyIndex();
    QDialog::accept();
}

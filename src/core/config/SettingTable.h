#pragma once

#include "ConfigComments.h"
#include "SettingRow.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <span>
#include <string_view>

// The ways a row of the table is made, so that each row says only what is
// its own.
namespace SettingRowParts {

using G = GlobalSettings;
using P = PackageDesc;
using GK = GlobalSettings::Key;
using PK = PackageDesc::Key;
using C = ConfigComments;
using S = SettingScope;
using F = SettingForm;
using V = ValueKind;

constexpr SettingRow global(std::string_view keyword, std::string_view label,
                            std::string G::*member, GK key, std::string_view field,
                            SettingForm form, SettingPlace place) {
    return {.keyword = keyword,
            .label = {label},
            .global = member,
            .globalKey = key,
            .field = field,
            .form = form,
            .inGlobal = place};
}
constexpr SettingRow package(std::string_view keyword, std::string_view label,
                             std::string P::*member, PK key, std::string_view field,
                             SettingForm form, SettingPlace place) {
    return {.keyword = keyword,
            .label = {label},
            .scope = S::Package,
            .package = member,
            .packageKey = key,
            .field = field,
            .form = form,
            .inPackage = place};
}
constexpr SettingRow number(SettingRow row, NumberRange range) {
    row.value = V::Number;
    row.range = range;
    row.newValue = range.defaultValue.data();
    row.dialog = RowDialog::Number;
    return row;
}
constexpr SettingRow choice(SettingRow row, ChoiceKind kind, const char* newValue) {
    row.value = V::Choice;
    row.choice = kind;
    row.newValue = newValue;
    row.dialog = RowDialog::Choice;
    return row;
}
constexpr SettingRow edited(SettingRow row, RowDialog dialog) {
    row.dialog = dialog;
    return row;
}
// A setting a package has its own copy of.
constexpr SettingRow both(SettingRow row, std::string P::*member, PK key, SettingPlace place) {
    row.scope = S::Both;
    row.package = member;
    row.packageKey = key;
    row.inPackage = place;
    return row;
}
constexpr SettingRow yesNo(std::string_view keyword, std::string_view label, std::string G::*member,
                           GK key, std::string P::*copy, PK copyKey, std::string_view field,
                           const char* newValue, SettingPlace inGlobal,
                           SettingPlace inPackage = {}) {
    return choice(both(global(keyword, label, member, key, field, F::UpperWord, inGlobal), copy,
                       copyKey, inPackage),
                  ChoiceYesNo, newValue);
}
constexpr SettingRow paired(SettingRow row, std::string P::*second, PK key,
                            std::string_view field) {
    row.second = second;
    row.secondKey = key;
    row.secondField = field;
    return row;
}
constexpr SettingRow made(SettingRow row, ValueKind value, const char* newValue) {
    row.value = value;
    row.newValue = newValue;
    return row;
}
constexpr SettingRow message(std::string_view keyword, std::string_view label,
                             std::string P::*member, PK key, std::string_view field,
                             SettingPlace place) {
    return edited(package(keyword, label, member, key, field, F::Quoted, place), RowDialog::Text);
}
constexpr SettingRow commandFiles(std::string_view keyword, std::string_view label,
                                  std::string P::*source, PK sourceKey,
                                  std::string_view sourceField, std::string P::*target,
                                  PK targetKey, std::string_view targetField,
                                  std::string_view comment) {
    return made(edited(paired(package(keyword, label, source, sourceKey, sourceField,
                                      F::CommandFiles, {comment, true}),
                              target, targetKey, targetField),
                       RowDialog::CommandFiles),
                V::VolumePath, nullptr);
}
// Its place among the rows of the default settings and, for a setting a
// package has its own copy of, of the package's settings.
constexpr SettingRow shown(SettingRow row, int globalRow, int packageRow = -1) {
    row.globalRow = globalRow;
    row.packageNode = packageRow < 0 ? DetailKind::None : DetailKind::Settings;
    row.packageRow = packageRow;
    return row;
}
// Its place among the rows of a package's node.
constexpr SettingRow shownIn(SettingRow row, DetailKind node, int packageRow) {
    row.packageNode = node;
    row.packageRow = packageRow;
    return row;
}
constexpr SettingRow logSize(SettingRow row) {
    row.gap = "  ";
    return number(row, {32, 32768, "256"});
}

} // namespace SettingRowParts

// Every single-value setting of a configuration file, in the order the
// writer writes them: the reader, the writer, the checks, the new document,
// the command-line output and the editor's rows all follow it.
class SettingTable {
public:
    static constexpr auto kRows = [] {
        using namespace SettingRowParts;
        return std::array{
            shown(made(global("VERSION", "Version", &G::version, GK::Version, "version", F::Word,
                              {{}, true}),
                       V::Text, "1.30"),
                  0),
            shown(
                edited(global("USER", "Username", &G::user, GK::User, "user", F::Word, {C::k16001}),
                       RowDialog::Text),
                1),
            // The row shows the mask; the model keeps the stored form beside.
            shown(edited(global("PWD", "Password", &G::passwordMask, GK::Password, "passwordMask",
                                F::Password, {}),
                         RowDialog::Password),
                  2),
            shown(number(global("MAXTHREADS", "Max. threads", &G::maxThreads, GK::MaxThreads,
                                "maxThreads", F::Word, {C::k16002}),
                         {1, 100, "12"}),
                  3),
            shown(choice(global("NAMESPACE", "Namespace", &G::nameSpace, GK::NameSpace, "nameSpace",
                                F::UpperWord, {C::k16003}),
                         ChoiceNamespace, "DOS"),
                  4),
            shown(number(global("RETRYINTERVAL", "Failed job retry interval", &G::retryInterval,
                                GK::RetryInterval, "retryInterval", F::Word, {C::k16004}),
                         {60, 14400, "300"}),
                  5),
            shown(number(global("RETRYCOUNT", "Number of times a failed job can be retried",
                                &G::retryCount, GK::RetryCount, "retryCount", F::Word, {}),
                         {0, 1440, "3"}),
                  6),
            shownIn(
                made(edited(paired(package("SCHEDULE", "Schedule", &P::scheduleWhen, PK::Schedule,
                                           "scheduleWhen", F::Schedule, {{}, true}),
                                   &P::scheduleDays, PK::Days, "scheduleDays"),
                            RowDialog::Schedule),
                     V::Text, "00:00"),
                DetailKind::Schedule, 0),
            [] {
                SettingRow row =
                    choice(package("PROTOCOL", "Transport protocol", &P::protocol, PK::Protocol,
                                   "protocol", F::UpperWord, {C::kProtocol, true}),
                           ChoiceProtocol, "(default)");
                row.unwritten = row.newValue;
                return shownIn(row, DetailKind::Settings, 6);
            }(),
            shown(yesNo("TRANSFERIRM", "Transfer IRMs (Inherited Rights Mask)", &G::transferIrm,
                        GK::TransferIrm, &P::transferIrm, PK::TransferIrm, "transferIrm", "NO",
                        {C::k16005}, {C::k16014}),
                  8, 1),
            shown(yesNo("TRANSFERATTRS", "Transfer file system attributes", &G::transferAttrs,
                        GK::TransferAttrs, &P::transferAttrs, PK::TransferAttrs, "transferAttrs",
                        "NO", {C::k16006}),
                  12, 7),
            shown(yesNo("TRANSFEROWNER", "Transfer file owner", &G::transferOwner,
                        GK::TransferOwner, &P::transferOwner, PK::TransferOwner, "transferOwner",
                        "NO", {C::k16024}),
                  9, 2),
            shown(yesNo("TRANSFERTRUSTEE", "Transfer file system rights", &G::transferTrustee,
                        GK::TransferTrustee, &P::transferTrustee, PK::TransferTrustee,
                        "transferTrustee", "NO", {C::k16025}),
                  10, 3),
            shown(yesNo("SKIPREADONLY", "Protect read-only files", &G::skipReadOnly,
                        GK::SkipReadOnly, &P::skipReadOnly, PK::SkipReadOnly, "skipReadOnly", "YES",
                        {C::k16026}, {{}, true}),
                  11, 4),
            shownIn(choice(package("PRESTAT", "Scan directories in advance", &P::preStat,
                                   PK::PreStat, "preStat", F::UpperWord, {C::kPreStat, true}),
                           ChoiceYesNo, "NO"),
                    DetailKind::Settings, 5),
            shown(choice(both(global("SYNCMODE", "Sync mode", &G::syncMode, GK::SyncMode,
                                     "syncMode", F::UpperWord, {C::k16007}),
                              &P::syncMode, PK::SyncMode, {}),
                         ChoiceSyncMode, "OVERWRITE"),
                  7, 0),
            // Its row shows whether the window applies, and edits ENDJOB with it.
            shown(made(edited(global("STARTJOB", "Time restriction", &G::startJob, GK::StartJob,
                                     "startJob", F::TimeWindow, {C::k16008}),
                              RowDialog::TimeRestriction),
                       V::Time, "00:00"),
                  13),
            made(global("ENDJOB", {}, &G::endJob, GK::EndJob, "endJob", F::TimeWindow, {}), V::Time,
                 "00:00"),
            shown(made(edited(global("LOGDIR", "Log directory", &G::logDir, GK::LogDir, "logDir",
                                     F::QuotedPath, {C::k16009}),
                              RowDialog::LogDirectory),
                       V::VolumePath, nullptr),
                  14),
            shown(made(edited(both(global("LOGEVENT", "Log event types", &G::logEvent, GK::LogEvent,
                                          "logEvent", F::WordList, {C::k16010}),
                                   &P::logEvent, PK::LogEvent, {{}, true}),
                              RowDialog::LogEvents),
                       V::EventWords, "COPIED DELETED"),
                  15, 8),
            shown(
                choice(global("DEBUG", "Debug", &G::debug, GK::Debug, "debug", F::Flag, {{}, true}),
                       ChoiceYesNo, "NO"),
                18),
            shown(logSize(global("LOGSIZE", "Log size limit", &G::logSize, GK::LogSize, "logSize",
                                 F::UpperWord, {C::k16013})),
                  17),
            shown(logSize(global("DBGLOGSIZE", "Debug log size limit", &G::dbgLogSize,
                                 GK::DbgLogSize, "dbgLogSize", F::UpperWord, {C::k16012})),
                  19),
            shown(choice(global("DISPLAY", "Display type", &G::display, GK::Display, "display",
                                F::UpperWord, {C::k16011}),
                         ChoiceServerThread, "THREAD"),
                  16),
            shownIn(choice(package("LOGMETHOD", "Log files based on ...", &P::logMethod,
                                   PK::LogMethod, "logMethod", F::UpperWord, {C::kLogMethod, true}),
                           ChoiceServerThread, "THREAD"),
                    DetailKind::Settings, 9),
            shownIn(
                made(edited(package("OFHANDLER", "Open file handling method", &P::ofHandler,
                                    PK::OfHandler, "ofHandler", F::OpenFiles, {C::k16016, true}),
                            RowDialog::OpenFiles),
                     V::Text, "OFF"),
                DetailKind::Settings, 13),
            shownIn(
                message("PREMSG", "Start Message", &P::preMsg, PK::PreMsg, "preMsg", {C::k16017}),
                DetailKind::Messages, 0),
            shownIn(message("POSTMSG", "End Message", &P::postMsg, PK::PostMsg, "postMsg", {}),
                    DetailKind::Messages, 1),
            shownIn(
                message("ERRORMSG", "Error Message", &P::errorMsg, PK::ErrorMsg, "errorMsg", {}),
                DetailKind::Messages, 2),
            shownIn(message("SUSPENDMSG", "Suspend Message", &P::suspendMsg, PK::SuspendMsg,
                            "suspendMsg", {{}, true}),
                    DetailKind::Messages, 3),
            shownIn(commandFiles("PRENCF", "NCF to execute before", &P::preNcfSrc, PK::PreNcfSrc,
                                 "preNcfSrc", &P::preNcfDst, PK::PreNcfDst, "preNcfDst", C::k16027),
                    DetailKind::Settings, 10),
            shownIn(commandFiles("POSTNCF", "NCF to execute after", &P::postNcfSrc, PK::PostNcfSrc,
                                 "postNcfSrc", &P::postNcfDst, PK::PostNcfDst, "postNcfDst",
                                 C::k16028),
                    DetailKind::Settings, 11),
            shownIn(commandFiles("SUSPENDNCF", "NCF to execute when suspended", &P::suspendNcfSrc,
                                 PK::SuspendNcfSrc, "suspendNcfSrc", &P::suspendNcfDst,
                                 PK::SuspendNcfDst, "suspendNcfDst", C::k16029),
                    DetailKind::Settings, 12),
            shownIn(edited(package("SOURCE", "Source Server", &P::source, PK::Source, "source",
                                   F::UpperWord, {C::k16018, true}),
                           RowDialog::Text),
                    DetailKind::SourceServer, 0),
        };
    }();

    // The row of a keyword as the file spells it; nullptr when no setting
    // has it.
    static const SettingRow* find(std::string_view keyword);
    // The row of a field, for those who name one.
    static constexpr const SettingRow& of(GlobalSettings::Key key) {
        return *std::ranges::find(kRows, key, &SettingRow::globalKey);
    }
    static constexpr const SettingRow& of(PackageDesc::Key key) {
        return *std::ranges::find(kRows, key, &SettingRow::packageKey);
    }
    // The keywords a choice offers, in the order its list shows them.
    static std::span<const std::string_view> choices(ChoiceKind kind);
};

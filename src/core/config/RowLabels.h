#pragma once

#include "text/RowLabel.h"

// The row labels the editor shows and a whole-file check names a problem by;
// the catalogue of rows takes them from here.
struct RowLabels {
    // Rows of the default settings and of a package's settings.
    static constexpr RowLabel kVersion{"Version"};
    static constexpr RowLabel kUsername{"Username"};
    static constexpr RowLabel kPassword{"Password"};
    static constexpr RowLabel kMaxThreads{"Max. threads"};
    static constexpr RowLabel kNamespace{"Namespace"};
    static constexpr RowLabel kRetryInterval{"Failed job retry interval"};
    static constexpr RowLabel kRetryCount{"Number of times a failed job can be retried"};
    static constexpr RowLabel kSyncMode{"Sync mode"};
    static constexpr RowLabel kTransferIrm{"Transfer IRMs (Inherited Rights Mask)"};
    static constexpr RowLabel kTransferOwner{"Transfer file owner"};
    static constexpr RowLabel kTransferTrustee{"Transfer file system rights"};
    static constexpr RowLabel kSkipReadOnly{"Protect read-only files"};
    static constexpr RowLabel kTransferAttrs{"Transfer file system attributes"};
    static constexpr RowLabel kPreStat{"Scan directories in advance"};
    static constexpr RowLabel kTimeRestriction{"Time restriction"};
    static constexpr RowLabel kDisplay{"Display type"};
    static constexpr RowLabel kLogSize{"Log size limit"};
    static constexpr RowLabel kDebug{"Debug"};
    static constexpr RowLabel kDebugLogSize{"Debug log size limit"};
    static constexpr RowLabel kProtocol{"Transport protocol"};
    static constexpr RowLabel kLogMethod{"Log files based on ..."};
    static constexpr RowLabel kLogEvents{"Log event types"};
    static constexpr RowLabel kNcfBefore{"NCF to execute before"};
    static constexpr RowLabel kNcfAfter{"NCF to execute after"};
    static constexpr RowLabel kNcfSuspended{"NCF to execute when suspended"};
    static constexpr RowLabel kOpenFiles{"Open file handling method"};
    static constexpr RowLabel kLogDirectory{"Log directory"};
    // Rows of a package's other nodes and of an application.
    static constexpr RowLabel kSchedule{"Schedule"};
    static constexpr RowLabel kSourceServer{"Source Server"};
    static constexpr RowLabel kStartMessage{"Start Message"};
    static constexpr RowLabel kEndMessage{"End Message"};
    static constexpr RowLabel kErrorMessage{"Error Message"};
    static constexpr RowLabel kSuspendMessage{"Suspend Message"};
    static constexpr RowLabel kDays{"Days to run"};
    static constexpr RowLabel kApplicationServer{"Server"};
    static constexpr RowLabel kApplicationPath{"Path"};
    static constexpr RowLabel kDestinationPackages{"Destination packages"};
    static constexpr RowLabel kDestinationServers{"Destination servers"};
};

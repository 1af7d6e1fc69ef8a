#pragma once

// The dialog that edits a row.
enum class RowDialog {
    None,
    Choice,
    Number,
    Text,
    Path,
    LogDirectory,
    Password,
    TimeRestriction,
    LogEvents,
    Days,
    Schedule,
    OpenFiles,
    CommandFiles,
    DestinationPackages,
};

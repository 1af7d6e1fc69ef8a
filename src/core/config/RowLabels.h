#pragma once

#include "text/RowLabel.h"

// The row labels the editor shows and a whole-file check names a problem by,
// for the rows that are no setting of the table of settings; the catalogue of
// rows takes them from here.
struct RowLabels {
    // The schedule's days, shown below the SCHEDULE line's row.
    static constexpr RowLabel kDays{"Days to run"};
    static constexpr RowLabel kApplicationServer{"Server"};
    static constexpr RowLabel kApplicationPath{"Path"};
    static constexpr RowLabel kDestinationPackages{"Destination packages"};
    static constexpr RowLabel kDestinationServers{"Destination servers"};
};

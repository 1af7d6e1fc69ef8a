#pragma once

#include "ApplicationDesc.h"
#include "RowLabels.h"

#include <array>
#include <string>

// The rows of an application node, each with the field it shows.
class ApplicationTable {
public:
    struct Field {
        const RowLabel* label;
        std::string ApplicationDesc::*member;
        ApplicationDesc::Key key;
    };
    using K = ApplicationDesc::Key;
    static constexpr std::array<Field, 4> kFields{{
        {&RowLabels::kApplicationServer, &ApplicationDesc::appServer, K::AppServer},
        {&RowLabels::kApplicationPath, &ApplicationDesc::appPath, K::AppPath},
        {&RowLabels::kDestinationPackages, &ApplicationDesc::dstPackages, K::DstPackages},
        {&RowLabels::kDestinationServers, &ApplicationDesc::dstServers, K::DstServers},
    }};
};

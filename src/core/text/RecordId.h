#pragma once

#include <cstdint>

// A stable key of an application or package record, unique within its model
// and kept across insertions, deletions and moves. Views map their nodes to
// it, so several windows on one document each find the same record.
using RecordId = std::uint32_t;

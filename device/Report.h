// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>

// One output report as written: byte 0 is the report ID (0), bytes 1..64 the command.
using Report = std::array<uint8_t, 65>;
// One reply as read: 64 bytes, byte 0 the first byte the box sent.
using Reply = std::array<uint8_t, 64>;

constexpr int kReportSize = 65;
constexpr int kReplySize = 64;

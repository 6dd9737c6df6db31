#pragma once

#include <QString>
#include <string_view>

namespace kestrune {

// The logic's UTF-8 texts as Qt strings.
inline QString qText(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace kestrune

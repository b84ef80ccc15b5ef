#include "element/report.h"

#include <algorithm>

#include "element/value_format.h"
#include "text/cp932.h"
#include "text/numbers.h"
#include "text/texts.h"

namespace {

constexpr char kLineEnd[] = "\r\n";
constexpr char kNumberCharacters[] = "1234567890.-+";

std::string_view FieldOrEmpty(const ElementRecord& record, int column) {
  if (column < static_cast<int>(record.size())) return record[column];
  return {};
}

// The configuration's two lines: the terms joined by "､", a noble-gas core
// running straight into the first term, then (unless the configuration is
// "-") a TAB line with the shell occupation.
std::string ConfigurationLines(std::string_view field) {
  std::string configuration = TermsWithPoints(field);
  if (!configuration.empty() && configuration[0] == '-') {
    return std::string("-") + kLineEnd;
  }
  std::string value = Repunctuate(configuration, {"."}, texts::kHalfWidthComma);
  JoinCore(&value, texts::kHalfWidthComma);
  std::string lines = value + kLineEnd;
  if (std::optional<std::string> shells = ShellText(&configuration)) {
    lines += std::string("\t") + texts::kShellArrow + " " + *shells + kLineEnd;
  }
  return lines;
}

}  // namespace

std::string StateSuffix(std::string_view melting, std::string_view boiling) {
  const int m = ReadInteger(melting);
  const int b = ReadInteger(boiling);
  if (m > 0 || m == b) return texts::kSolidMark;
  if (b > 0) return texts::kLiquidMark;
  return texts::kGasMark;
}

std::string TemperatureText(std::string_view celsius) {
  const size_t rest = FirstNotInSet(celsius, kNumberCharacters);
  if (rest == 0 || celsius == "-") return std::string(celsius);
  const int decimals = CountDecimals(celsius);
  const double x = ReadDecimal(celsius);
  const std::string_view remainder =
      rest == cp932::npos ? std::string_view() : celsius.substr(rest);
  std::string text(celsius);
  text += texts::kSolidus;
  text += FormatFixed(static_cast<double>(CelsiusToKelvin(x, decimals)), decimals);
  text += remainder;
  text += texts::kSolidus;
  text += FormatFixed(static_cast<double>(CelsiusToFahrenheit(x, decimals)), decimals);
  text += remainder;
  return text;
}

std::string ComposeReport(const ElementRecord& titles, int column_count,
                          const ElementRecord& element) {
  const std::string suffix =
      StateSuffix(FieldOrEmpty(element, kMeltingColumn), FieldOrEmpty(element, kBoilingColumn));
  std::string report;
  const int shown = std::min(column_count, kMaxReportColumns);
  for (int column = 0; column < shown; ++column) {
    if (column == kReadingColumn) continue;
    const std::string_view value = FieldOrEmpty(element, column);
    switch (column) {
      case kMeltingColumn:
        report += std::string(texts::kMeltingLabel) + " : " + TemperatureText(value) + kLineEnd;
        break;
      case kBoilingColumn:
        report += std::string(texts::kBoilingLabel) + " : " + TemperatureText(value) + kLineEnd;
        break;
      case kConfigurationColumn:
        report += std::string(FieldOrEmpty(titles, column)) + " : " + ConfigurationLines(value);
        break;
      case kDensityColumn:
        report += std::string(FieldOrEmpty(titles, column)) + " : " + std::string(value) +
                  (BeginsWithDigit(value) ? suffix : "") + kLineEnd;
        break;
      default:
        report += std::string(FieldOrEmpty(titles, column)) + " : " + std::string(value) + kLineEnd;
    }
  }
  return report;
}

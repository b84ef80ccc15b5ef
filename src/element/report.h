// The element report: one labelled line per column of an element's line.
//
// Titles come from the data file's title line and values from the element's
// line, paired by column. Column 5 (the kana reading) is left out; the
// electron configuration gets a shell-occupation line; the melting and
// boiling points are shown in degrees Celsius, kelvin and Fahrenheit; the
// density gets a solid, liquid or gas mark. Every line ends with CR LF.
#ifndef KORVATEX_ELEMENT_REPORT_H_
#define KORVATEX_ELEMENT_REPORT_H_

#include <string>
#include <string_view>

#include "files/record.h"

// The most columns a report shows; a title line with more is refused.
constexpr int kMaxReportColumns = 30;

// " (固)", " (液)" or " (気)", from the integer parts of the melting point
// and the boiling point in degrees Celsius.
std::string StateSuffix(std::string_view melting, std::string_view boiling);

// A temperature in degrees Celsius as "℃／K／°F", each with the decimals
// of the text and any note after the number repeated; a text that does not
// begin like a number, or "-", comes back unchanged.
std::string TemperatureText(std::string_view celsius);

// The report for the first `column_count` columns (at most 30). A value
// missing from `element` is shown as an empty text.
std::string ComposeReport(const ElementRecord& titles, int column_count,
                          const ElementRecord& element);

#endif  // KORVATEX_ELEMENT_REPORT_H_

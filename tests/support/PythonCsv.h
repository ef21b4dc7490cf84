#pragma once
// A separator-delimited file as Python's csv module reads it (tests/support/csv_rows.py): the
// rows of cells in Windows-1252 bytes. A missing python3 fails the test: ./test.sh installs it.
#include <gtest/gtest.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <string>
#include <vector>

namespace cvtest {

inline std::vector<std::vector<std::string>> PythonCsvRows(const std::string& path, char separator) {
  QProcess p;
  p.start("python3", {QStringLiteral(CV_TEST_SUPPORT_DIR) + "/csv_rows.py", QString::fromStdString(path),
                      QString(QChar(separator))});
  EXPECT_TRUE(p.waitForFinished(30000)) << "python3 did not run";
  EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
  std::vector<std::vector<std::string>> rows;
  for (const QJsonValue& row : QJsonDocument::fromJson(p.readAllStandardOutput()).array()) {
    auto& cells = rows.emplace_back();
    for (const QJsonValue& cell : row.toArray()) cells.push_back(cell.toString().toLatin1().toStdString());
  }
  return rows;
}

}  // namespace cvtest

// A framed, scrollable grid: columns from the description (image or text
// cells, each a share of the width), rows added and filled at run time and
// saved with the form. A chosen row is reported to the form.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "qzf_form_description.h"
#include "qzf_gadget.h"
#include "qzf_gadget_parts.h"

class CQZFGadgetTable : public CQZFGadget {
 public:
  static constexpr uint8_t kScrollBarFlag = 2;
  static constexpr uint8_t kImageColumn = 1;
  static constexpr int kInset = 2;

  struct Cell {
    uint16_t image = QZ_NO_ID;
    QZFOptionalText text;
    int32_t value = 0;
  };
  struct Column {
    uint8_t flags = 0;
    int16_t share = 0;
    int16_t width = 0;
    int16_t x = 0;
    uint32_t alignment = 0;
  };

  CQZFGadgetTable();

  [[nodiscard]] int16_t init(const QZFGadgetDescription& description) override;
  void draw(const QZRect& rect, int level) override;
  void drawFocus(const QZRect&, int) override {}
  Handled onKey(const QZFKeyEvent& key) override;
  Handled onPen(const QZFPenEvent& pen) override;
  void layout() override;
  void setValue(int32_t) override {}
  int32_t getValue() const override { return 0; }
  void setText(const char16_t*) override {}
  const char16_t* getText() const override { return nullptr; }
  void replaceInText(const char16_t*, const char16_t*) override {}
  CQZFGadget* getGadget() override { return this; }
  [[nodiscard]] int16_t serialise(SerialiseStream& stream) override;

  // Appends an empty row: its index, or a negative status.
  [[nodiscard]] int16_t addRow();
  void selectRow(int index);
  // Cell operations take a column and a row that exist, and a column of the
  // right kind; anything else does nothing (and reads as 0 or none).
  void setCellText(int column, int row, const char16_t* text, int32_t value);
  // A text column takes the string resource's text, an image column the image id.
  void setCell(int column, int row, uint16_t id, int32_t value);
  void replaceInCellText(int column, int row, const char16_t* token, const char16_t* value);
  uint16_t getCellImage(int column, int row) const;
  const char16_t* getCellText(int column, int row) const;
  int32_t getCellValue(int column, int row) const;
  void clearRows();

  int getRowCount() const { return static_cast<int>(rows_.size()); }
  const std::vector<Column>& getColumns() const { return columns_; }
  int getFirstShown() const { return cursor_.first; }
  int getCurrent() const { return cursor_.current; }
  int getSelected() const { return cursor_.selected; }
  bool isBarShown() const { return barShown_; }
  int getRowsWidth() const { return rowsWidth_; }

 private:
  Cell* cell(int column, int row);
  const Cell* cell(int column, int row) const;
  bool isImageColumn(int column) const { return (columns_[static_cast<size_t>(column)].flags & kImageColumn) != 0; }
  void choose();
  void drawRow(const std::vector<Cell>& row, int x, int top);
  int16_t readRows(SerialiseStream& stream, uint16_t count);

  uint8_t flags_ = 0;
  int rowsPerPage_ = 1;
  int rowHeight_ = 0;
  int rowsWidth_ = 0;
  bool barShown_ = false;
  QZFRowCursor cursor_;
  QZFLevelColour frame_{255, 0}, background_{255, 0}, selection_{255, 0};
  QZFScrollBar bar_;
  uint16_t font_ = QZ_NO_ID;
  std::vector<Column> columns_;
  std::vector<std::vector<Cell>> rows_;
};

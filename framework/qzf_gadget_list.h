// A framed, scrollable list whose rows are label gadgets. The rows live in
// a form of their own (the row form, owned by the list), so each row finds
// it as its form; the list moves that form's gadget area onto a row's band
// before it draws the row or hands it anything. Choosing a row (the action
// key or a tap) sends the real form a list event.
#pragma once

#include <cstdint>
#include <memory>

#include "qzf_form.h"
#include "qzf_form_description.h"
#include "qzf_gadget.h"
#include "qzf_gadget_parts.h"

class CQZFGadgetHandler;

class CQZFGadgetList : public CQZFGadget {
 public:
  // The description's flag for a scroll bar.
  static constexpr uint8_t kScrollBarFlag = 2;

  CQZFGadgetList();
  ~CQZFGadgetList() override;

  [[nodiscard]] int16_t init(const QZFGadgetDescription& description) override;
  void draw(const QZRect& rect, int level) override;
  void drawFocus(const QZRect&, int) override {}
  Handled onKey(const QZFKeyEvent& key) override;
  Handled onPen(const QZFPenEvent& pen) override;
  void update() override;
  void layout() override;
  void setValue(int32_t) override {}
  int32_t getValue() const override { return 0; }
  void setText(const char16_t*) override {}
  const char16_t* getText() const override { return nullptr; }
  void replaceInText(const char16_t*, const char16_t*) override {}
  CQZFGadget* getGadget() override { return this; }

  // Adds a label row (alignment 0 left, 1 centre, 2 right); 0 or a negative status.
  [[nodiscard]] int16_t addItem(uint16_t rowId, uint8_t alignment, uint16_t font, const char16_t* text);
  void clear();
  // Selects the row (no event); an index past the rows clears the selection.
  void selectItem(int index);

  int getRowCount() const;
  CQZFGadget* getRow(int index) const;
  int getFirstShown() const { return rows_.first; }
  int getCurrent() const { return rows_.current; }
  int getSelected() const { return rows_.selected; }
  int getRowHeight() const { return rowHeight_; }
  int getRowsPerPage() const { return rowsPerPage_; }
  const QZFScrollBar& getScrollBar() const { return bar_; }

 private:
  class RowForm;

  bool hasBar() const { return (flags_ & kScrollBarFlag) != 0; }
  // The row form's gadget area on the band of the row (index from the
  // first shown), the row centred in it; top is the screen y of the list.
  void placeOnBand(const CQZFGadget& row, int index, int left, int top);
  void choose();
  void scroll(QZFScrollRequest request, int first);

  std::unique_ptr<RowForm> rowForm_;
  uint8_t flags_ = 0;
  int16_t minimumRowHeight_ = -1;
  int rowHeight_ = 1;
  int rowsPerPage_ = 1;
  int rowsX_ = 0, rowsWidth_ = 0, rowsY_ = 1;
  QZFRowCursor rows_;
  QZFLevelColour frame_{255, 0}, background_{255, 0}, selection_{255, 0};
  QZFScrollBar bar_;
};

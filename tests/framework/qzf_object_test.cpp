#include <gtest/gtest.h>

#include <cstring>

#include "qzf_object.h"

namespace {

struct Node : CQZFObject {
  Node(CQZFObject* owner, uint16_t kind) : CQZFObject(owner) { setKind(kind, this); }
};

}  // namespace

TEST(QZFObject, FindWalksUpFromTheOwnerAndTakesTheNearest) {
  Node app(nullptr, kQZFKindApplication);
  Node outerForm(&app, kQZFKindForm);
  Node innerForm(&outerForm, kQZFKindForm);
  Node gadget(&innerForm, kQZFKindGadget);

  EXPECT_EQ(gadget.find(kQZFKindForm), &innerForm);
  EXPECT_EQ(innerForm.find(kQZFKindForm), &outerForm);  // never itself
  EXPECT_EQ(gadget.find(kQZFKindApplication), &app);
  EXPECT_EQ(app.find(kQZFKindApplication), nullptr);
  EXPECT_EQ(gadget.find(kQZFKindMenu), nullptr);
  EXPECT_EQ(gadget.getOwner(), &innerForm);
}

TEST(QZFObject, KindIsUnsetUntilTheConstructorSetsIt) {
  CQZFObject plain;
  EXPECT_EQ(plain.getKind(), 0xFFFF);
  EXPECT_EQ(plain.getOwner(), nullptr);
  Node child(&plain, kQZFKindGadget);
  // An owner that never set its self pointer hands out nothing.
  EXPECT_EQ(child.getOwner(), nullptr);
  EXPECT_EQ(child.find(0xFFFF), nullptr);
}

TEST(QZFObject, NameKeepsNineCharacters) {
  CQZFObject o;
  o.setName("twelvechars!");
  EXPECT_STREQ(o.getName(), "twelvecha");
  o.setName("frmgame");
  EXPECT_STREQ(o.getName(), "frmgame");
  EXPECT_EQ(std::memcmp(o.getName() + 7, "\0\0\0", 3), 0);
}

namespace {

struct FakeHandler : CQZFObject {
  static constexpr uint16_t kKind = kQZFKindFormHandler;
  explicit FakeHandler(CQZFObject* owner) : CQZFObject(owner) { setKind(kKind, this); }
};

}  // namespace

// An object of the right kind but another class is no owner of that class:
// the typed lookup answers null where a cast would have gone wrong.
TEST(QZFObject, FindOwnerChecksTheClassBehindTheKind) {
  FakeHandler handler(nullptr);
  Node form(&handler, kQZFKindForm);
  Node gadget(&form, kQZFKindGadget);
  EXPECT_EQ(gadget.findOwner<FakeHandler>(), &handler);
  EXPECT_EQ(handler.findOwner<FakeHandler>(), nullptr);

  Node impostor(nullptr, kQZFKindFormHandler);
  Node orphan(&impostor, kQZFKindForm);
  EXPECT_NE(orphan.find(kQZFKindFormHandler), nullptr);
  EXPECT_EQ(orphan.findOwner<FakeHandler>(), nullptr);
}

// Point, size and rectangle value classes over the platform's POINT, SIZE
// and RECT: the same fields in the same order, so each one passes wherever
// the platform structure is expected. Plain signed 32-bit arithmetic, no
// overflow checks.
#pragma once

#include <type_traits>

#include "wince/gdi.h"
#include "wince/types.h"
#include "wince/window.h"

class CeSize;
class CeRect;

// The operations CePoint and CeSize share, each on its own two fields; a
// POINT or SIZE argument gives its two fields in order.
template <class Self, class Raw, LONG Raw::*kFirst, LONG Raw::*kSecond>
class CePair : public Raw {
 public:
  // Fields left as they are.
  CePair() = default;
  CePair(int a, int b) { Set(a, b); }
  CePair(const POINT& p) { Set(p.x, p.y); }
  CePair(const SIZE& s) { Set(s.cx, s.cy); }
  // Low 16 bits first, high 16 bits second, each sign-extended.
  explicit CePair(DWORD v) { Set(static_cast<SHORT>(LOWORD(v)), static_cast<SHORT>(HIWORD(v))); }

  // Against any POINT or SIZE (one template so that mixed comparisons of
  // the two classes are not ambiguous); != is the negation.
  template <class Other>
    requires(std::is_base_of_v<POINT, Other> || std::is_base_of_v<SIZE, Other>)
  friend bool operator==(const Self& a, const Other& b) {
    const CePair& mine = a;
    const CePair& theirs = Self(b);
    return mine.First() == theirs.First() && mine.Second() == theirs.Second();
  }

  Self& operator+=(const POINT& p) { return Add(p.x, p.y); }
  Self& operator+=(const SIZE& s) { return Add(s.cx, s.cy); }
  Self& operator-=(const POINT& p) { return Add(-p.x, -p.y); }
  Self& operator-=(const SIZE& s) { return Add(-s.cx, -s.cy); }

  Self operator+(const POINT& p) const { return Self(First() + p.x, Second() + p.y); }
  Self operator+(const SIZE& s) const { return Self(First() + s.cx, Second() + s.cy); }
  Self operator-(const SIZE& s) const { return Self(First() - s.cx, Second() - s.cy); }
  // The difference of two points is a size.
  CeSize operator-(const POINT& p) const;
  Self operator-() const { return Self(-First(), -Second()); }

  // The rectangle moved by (+first, +second) / (-first, -second).
  CeRect operator+(const RECT* r) const;
  CeRect operator-(const RECT* r) const;

 protected:
  LONG First() const { return this->*kFirst; }
  LONG Second() const { return this->*kSecond; }
  void Set(LONG a, LONG b) {
    this->*kFirst = a;
    this->*kSecond = b;
  }
  Self& Add(LONG a, LONG b) {
    Set(First() + a, Second() + b);
    return static_cast<Self&>(*this);
  }
};

class CePoint : public CePair<CePoint, POINT, &POINT::x, &POINT::y> {
 public:
  using CePair::CePair;

  void Offset(int dx, int dy) { Add(dx, dy); }
  void Offset(const POINT& p) { Add(p.x, p.y); }
  void Offset(const SIZE& s) { Add(s.cx, s.cy); }
};

class CeSize : public CePair<CeSize, SIZE, &SIZE::cx, &SIZE::cy> {
 public:
  using CePair::CePair;
};

class CeRect : public RECT {
 public:
  CeRect() { SetRectEmpty(); }
  CeRect(int l, int t, int r, int b) { SetRect(l, t, r, b); }
  CeRect(const RECT& r) { CopyRect(&r); }
  CeRect(const RECT* r) { CopyRect(r); }
  CeRect(const POINT& topLeft, const SIZE& size) {
    SetRect(topLeft.x, topLeft.y, topLeft.x + size.cx, topLeft.y + size.cy);
  }
  CeRect(const POINT& topLeft, const POINT& bottomRight) { SetRect(topLeft, bottomRight); }

  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  CeSize Size() const { return CeSize(Width(), Height()); }
  // The first and second half of the rectangle, as points.
  CePoint& TopLeft() { return *reinterpret_cast<CePoint*>(&left); }
  const CePoint& TopLeft() const { return *reinterpret_cast<const CePoint*>(&left); }
  CePoint& BottomRight() { return *reinterpret_cast<CePoint*>(&right); }
  const CePoint& BottomRight() const { return *reinterpret_cast<const CePoint*>(&right); }
  CePoint CenterPoint() const { return CePoint((left + right) / 2, (top + bottom) / 2); }

  bool IsRectEmpty() const { return ::IsRectEmpty(this); }
  bool IsRectNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
  bool PtInRect(const POINT& p) const { return ::PtInRect(this, p); }
  void SetRect(int l, int t, int r, int b) { ::SetRect(this, l, t, r, b); }
  void SetRect(const POINT& topLeft, const POINT& bottomRight) {
    SetRect(topLeft.x, topLeft.y, bottomRight.x, bottomRight.y);
  }
  void SetRectEmpty() { SetRect(0, 0, 0, 0); }
  void CopyRect(const RECT* r) { *static_cast<RECT*>(this) = *r; }
  bool EqualRect(const RECT* r) const { return ::EqualRect(this, r); }
  // Against any RECT (a template, as for the points); != is the negation.
  template <class Other>
    requires std::is_base_of_v<RECT, Other>
  friend bool operator==(const CeRect& a, const Other& b) {
    return a.EqualRect(&b);
  }
  CeRect& operator=(const RECT& r) {
    CopyRect(&r);
    return *this;
  }

  bool IntersectRect(const RECT* a, const RECT* b) { return ::IntersectRect(this, a, b); }
  bool UnionRect(const RECT* a, const RECT* b) { return ::UnionRect(this, a, b); }
  bool SubtractRect(const RECT* a, const RECT* b) { return ::SubtractRect(this, a, b); }

  void InflateRect(int dx, int dy) { ::InflateRect(this, dx, dy); }
  void InflateRect(const SIZE& s) { InflateRect(s.cx, s.cy); }
  void DeflateRect(int dx, int dy) { InflateRect(-dx, -dy); }
  void DeflateRect(const SIZE& s) { InflateRect(-s.cx, -s.cy); }
  // Grows by the other rectangle's width and height / shrinks by them.
  void InflateRect(const RECT* r) { InflateRect(r->right - r->left, r->bottom - r->top); }
  void DeflateRect(const RECT* r) { InflateRect(r->left - r->right, r->top - r->bottom); }
  CeRect& operator+=(const RECT* r) {
    InflateRect(r);
    return *this;
  }
  CeRect& operator-=(const RECT* r) {
    DeflateRect(r);
    return *this;
  }
  CeRect operator+(const RECT* r) const {
    CeRect copy(*this);
    return copy += r;
  }
  CeRect operator-(const RECT* r) const {
    CeRect copy(*this);
    return copy -= r;
  }

  void OffsetRect(int dx, int dy) { ::OffsetRect(this, dx, dy); }
  void OffsetRect(const POINT& p) { OffsetRect(p.x, p.y); }
  void OffsetRect(const SIZE& s) { OffsetRect(s.cx, s.cy); }
  CeRect& operator+=(const POINT& p) { return Moved(p.x, p.y); }
  CeRect& operator+=(const SIZE& s) { return Moved(s.cx, s.cy); }
  CeRect& operator-=(const POINT& p) { return Moved(-p.x, -p.y); }
  CeRect& operator-=(const SIZE& s) { return Moved(-s.cx, -s.cy); }
  CeRect operator+(const POINT& p) const { return CeRect(*this).Moved(p.x, p.y); }
  CeRect operator+(const SIZE& s) const { return CeRect(*this).Moved(s.cx, s.cy); }
  CeRect operator-(const POINT& p) const { return CeRect(*this).Moved(-p.x, -p.y); }
  CeRect operator-(const SIZE& s) const { return CeRect(*this).Moved(-s.cx, -s.cy); }

  CeRect& operator&=(const RECT& r) {
    IntersectRect(this, &r);
    return *this;
  }
  CeRect& operator|=(const RECT& r) {
    UnionRect(this, &r);
    return *this;
  }
  CeRect operator&(const RECT& r) const {
    CeRect result;
    result.IntersectRect(this, &r);
    return result;
  }
  CeRect operator|(const RECT& r) const {
    CeRect result;
    result.UnionRect(this, &r);
    return result;
  }

  // Both corners converted with the platform call.
  void ScreenToClient(HWND hwnd) {
    ::ScreenToClient(hwnd, &TopLeft());
    ::ScreenToClient(hwnd, &BottomRight());
  }
  void ClientToScreen(HWND hwnd) {
    ::ClientToScreen(hwnd, &TopLeft());
    ::ClientToScreen(hwnd, &BottomRight());
  }

  operator RECT*() { return this; }
  operator const RECT*() const { return this; }

 private:
  CeRect& Moved(int dx, int dy) {
    OffsetRect(dx, dy);
    return *this;
  }
};

template <class Self, class Raw, LONG Raw::*kFirst, LONG Raw::*kSecond>
CeSize CePair<Self, Raw, kFirst, kSecond>::operator-(const POINT& p) const {
  return CeSize(First() - p.x, Second() - p.y);
}

template <class Self, class Raw, LONG Raw::*kFirst, LONG Raw::*kSecond>
CeRect CePair<Self, Raw, kFirst, kSecond>::operator+(const RECT* r) const {
  return CeRect(r->left + First(), r->top + Second(), r->right + First(), r->bottom + Second());
}

template <class Self, class Raw, LONG Raw::*kFirst, LONG Raw::*kSecond>
CeRect CePair<Self, Raw, kFirst, kSecond>::operator-(const RECT* r) const {
  return CeRect(r->left - First(), r->top - Second(), r->right - First(), r->bottom - Second());
}

// The common base of every framework and game object: a 16-bit kind, an owner
// and a short name. Managers are found by walking up the owners, not through
// globals.
#pragma once

#include <cstdint>
#include <type_traits>

struct SerialiseStream;

// Object kinds of the framework; game objects use 4096 and up.
enum QZFKind : uint16_t {
  kQZFKindNone = 0xFFFF,
  kQZFKindApplication = 1,
  kQZFKindGraphics = 2,
  kQZFKindMetrics = 3,
  kQZFKindResourceManager = 4,
  kQZFKindFontManager = 5,
  kQZFKindUI = 6,
  kQZFKindFormHandler = 7,
  kQZFKindForm = 8,
  kQZFKindGadget = 9,
  kQZFKindMinimise = 10,
  kQZFKindMenuHandler = 11,
  kQZFKindMenu = 12,
  kQZFKindPreferences = 13,
  kQZFKindAudioManager = 14,
  kQZFKindControls = 15,
  kQZFKindGadgetHandler = 19,
};

class CQZFObject {
 public:
  static constexpr int kNameSize = 10;  // nine characters and the terminator

  CQZFObject() = default;
  explicit CQZFObject(CQZFObject* owner) : owner_(owner) {}
  virtual ~CQZFObject() = default;

  CQZFObject(const CQZFObject&) = delete;
  CQZFObject& operator=(const CQZFObject&) = delete;

  // Writes, reads or counts the object's persistent state; 0 or a negative status.
  [[nodiscard]] virtual int16_t serialise(SerialiseStream& stream) { return 0; }
  virtual int32_t getSaveSize() { return 0; }

  void setOwner(CQZFObject* owner) { owner_ = owner; }
  void setKind(uint16_t kind, CQZFObject* self) {
    kind_ = kind;
    self_ = self;
  }
  uint16_t getKind() const { return kind_; }
  // The owner's self pointer, or null without an owner.
  CQZFObject* getOwner() const;
  // The nearest object of the kind among the owners (never this object itself).
  CQZFObject* find(uint16_t kind) const;
  // The nearest owner of T's kind (T::kKind) as a T; null when there is none
  // or when the object of that kind is no T.
  template <class T>
  T* findOwner() const {
    static_assert(std::is_base_of_v<CQZFObject, T>, "owners are framework objects");
    return dynamic_cast<T*>(find(T::kKind));
  }

  // Keeps at most nine bytes of the text.
  void setName(const char* text);
  const char* getName() const { return name_; }

 private:
  uint16_t kind_ = kQZFKindNone;
  CQZFObject* owner_ = nullptr;
  CQZFObject* self_ = nullptr;
  char name_[kNameSize] = {};
};

#include "qz_sample.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "base/byte_reader.h"
#include "qz_resource_manager.h"

namespace {

// The resource manager's handles, released and deleted with the sample.
class ManagerSource : public QZSoundResourceSource {
 public:
  bool getResource(uint32_t type, uint16_t id, QZSoundResource& out) override {
    QZResourceHandle* handle = CQZResourceManager::instance().getResource(type, id);
    if (!handle) return false;
    out.data = handle->getData();
    out.size = handle->size;
    out.handle = handle;
    return true;
  }
  void releaseResource(QZSoundResource& resource) override {
    auto* handle = static_cast<QZResourceHandle*>(resource.handle);
    handle->release();
    delete handle;
    resource = QZSoundResource{};
  }
};

ManagerSource g_manager;
QZSoundResourceSource* g_source = &g_manager;

constexpr int kStepFactor[8] = {230, 230, 230, 230, 307, 409, 512, 614};

}  // namespace

void QZSetSoundResourceSource(QZSoundResourceSource* source) { g_source = source ? source : &g_manager; }
QZSoundResourceSource* QZGetSoundResourceSource() { return g_source; }

int QZParseWave(const uint8_t* data, uint32_t length, QZPlayableRecord& record) {
  if (!data || length < 36 || std::memcmp(data + 12, "fmt ", 4) != 0) return -1;
  record.rate = base::loadLE16(data + 24);
  record.bits = base::loadBE16(data + 34);
  base::ByteReader chunks(data, length);
  chunks.seek(16);
  const uint32_t formatSize = chunks.readLE32();
  chunks.skip(formatSize);
  while (chunks.has(8)) {
    const uint8_t* id = chunks.viewBytes(4).data();
    const uint32_t size = chunks.readLE32();
    if (std::memcmp(id, "data", 4) == 0) {
      if (size > chunks.remaining() || record.rate == 0) return -1;
      record.samples = data + chunks.position();
      record.sampleLength = size;
      return 0;
    }
    chunks.skip(size);  // no pad byte after odd sizes
  }
  return -1;
}

void QZDecodeADPCM(const uint8_t* in, size_t length, uint8_t* out) {
  int32_t s = 127;
  int32_t p = 0;
  for (size_t i = 0; i < 2 * length; ++i) {
    const int n = (i & 1) ? in[i / 2] >> 4 : in[i / 2] & 0x0F;
    int32_t d = s / 2;
    if (n & 1) d += s;
    if (n & 2) d += 2 * s;
    if (n & 4) d += 4 * s;
    d /= 4;
    p = (n & 8) ? std::max(p - d, -32768) : std::min(p + d, 32767);
    s = std::clamp((s * kStepFactor[n & 7]) >> 8, 127, 24576);
    out[i] = static_cast<uint8_t>((std::clamp(p, -32767, 32767) >> 8) + 128);
  }
}

int QZPlayableRecord::initRecord(const uint8_t* bytes, uint32_t length, uint32_t k) {
  spare = 0;
  data = bytes;
  dataLength = length;
  if (!bytes) {
    clear();
    return -1;
  }
  if (k != kQZSampleADPCM) {
    k = kQZSamplePCM;
    if (QZParseWave(bytes, length, *this) != 0) {
      clear();
      return -1;
    }
  }
  state = 2;
  kind = k;
  first = 0;
  return 0;
}

QZSample::QZSample() : m_record(std::make_unique<QZPlayableRecord>()) {}

QZSample::~QZSample() {
  m_record->clear();
  if (m_resource.handle && m_source) m_source->releaseResource(m_resource);
}

int QZSample::load(uint16_t id) {
  uint32_t kind = kQZSamplePCM;
  if (!g_source->getResource(kQZTypeWAVE, id, m_resource)) {
    kind = kQZSampleADPCM;
    if (!g_source->getResource(kQZTypeAPCM, id, m_resource)) return -5;
  }
  m_source = g_source;
  if (!m_resource.data) return -1;
  return loadData(m_resource.data, m_resource.size, kind);
}

int QZSample::loadData(const uint8_t* data, uint32_t length, uint32_t kind) {
  return m_record->initRecord(data, length, kind);
}

int QZSample::prepare(uint32_t wantedKind) {
  if (m_record->kind == wantedKind && wantedKind != kQZSampleEmpty) return 0;
  if (m_record->kind == kQZSampleADPCM && wantedKind == kQZSamplePCM) return decode() == 0 ? 0 : -18;
  return -18;
}

int QZSample::decode() {
  QZPlayableRecord& r = *m_record;
  const size_t out = 2 * static_cast<size_t>(r.dataLength);
  std::unique_ptr<uint8_t[]> buffer(new (std::nothrow) uint8_t[out ? out : 1]);
  if (!buffer) {
    r.clear();
    return -1;
  }
  QZDecodeADPCM(r.data, r.dataLength, buffer.get());
  m_decoded = std::move(buffer);
  r.rate = 8000;
  r.data = m_decoded.get();
  r.samples = m_decoded.get();
  r.dataLength = static_cast<uint32_t>(out);
  r.sampleLength = static_cast<uint32_t>(out);
  r.kind = kQZSamplePCM;
  return 0;
}

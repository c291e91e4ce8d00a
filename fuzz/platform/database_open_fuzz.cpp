// Opens arbitrary bytes as resource and record database files, complete and
// on demand, and reads every entry.
#include <cstdint>
#include <vector>

#include "fuzz_folder.h"
#include "qz_database_file.h"
#include "qz_record_database.h"
#include "qz_resource_database.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  writeFuzzFile("Fuzz", data, size);
  QZDatabaseHeader header;
  std::vector<QZDatabaseEntry> entries;
  const bool resources = QZParseDatabase(data, size, size, QZDatabaseKind::Resource, header, entries) == QZ_OK;
  const uint32_t type = header.type;
  const uint32_t creator = header.creator;
  for (bool onDemand : {false, true}) {
    CQZResourceDatabaseWin32 db;
    if (db.open(u"Fuzz", creator, type, onDemand, true) != QZ_OK) continue;
    for (const QZDatabaseEntry& e : entries) {
      const uint8_t* bytes = db.getResource(e.type, e.id);
      if (bytes != nullptr && e.size > 0) (void)bytes[e.size - 1];
    }
    db.loadAllResources();
    db.unloadAllResources();  // partial: closing writes nothing
  }
  CQZRecordDatabaseWin32 records;
  if (records.open(u"Fuzz", creator, type, true) == QZ_OK) {
    for (uint16_t i = 0; i < records.getRecordCount(); ++i) {
      const uint8_t* bytes = records.getRecord(i);
      if (records.getRecordSize(i) > 0) (void)bytes[records.getRecordSize(i) - 1];
    }
    records.deleteDatabase();
  }
  (void)resources;
  return 0;
}

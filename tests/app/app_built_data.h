// Pellwyn's built data database (forms and strings) served to the program's
// resource manager, so that forms open from their real descriptions.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "database_source.h"
#include "qz_resource_manager.h"

// Serves the built database for the test's life.
inline void serveBuiltData() {
  auto source = std::make_unique<FileSource>(kPellwynDatabase);
  ASSERT_FALSE(source->empty());
  CQZResourceManager::instance().addSource(std::move(source));
}

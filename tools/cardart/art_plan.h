// The catalogue of generated pictures: which blob goes into which blob set,
// and which full-screen planes exist, written out as the pictures
// (png/SET-ID.png, png/plane-ID.png), the pack list that imgpack works through
// (one set a line: "SET MODE ID ID ...", or "plane ID") and the manifest of
// the database that carries the sets and planes.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "canvas.h"

class ArtPlan {
 public:
  explicit ArtPlan(std::string outDir) : outDir_(std::move(outDir)) {}

  // Writes the picture as blob id in set setId (direct pixels); false when
  // the file cannot be written or the set holds the id already. (Two sets
  // may share an id: the back choices give the large back of one entry and
  // the small back of the next the same id; they are never loaded together
  // in play.)
  bool add(int setId, int blobId, Canvas& picture);
  // Writes the picture as plane id (raw pixels).
  bool addPlane(int planeId, Canvas& picture);
  // Writes packlist.txt and the database manifest.
  bool finish(const std::string& databaseName) const;
  const std::string& error() const { return error_; }

 private:
  std::string outDir_;
  std::map<int, std::vector<int>> sets_;
  std::vector<int> planes_;
  std::string error_;
};

#include "art_plan.h"

#include <algorithm>
#include <fstream>

bool ArtPlan::add(int setId, int blobId, Canvas& picture) {
  std::vector<int>& ids = sets_[setId];
  if (std::find(ids.begin(), ids.end(), blobId) != ids.end()) {
    error_ = "blob " + std::to_string(blobId) + " given twice in set " + std::to_string(setId);
    return false;
  }
  ids.push_back(blobId);
  if (!picture.writePng(outDir_ + "/png/" + std::to_string(setId) + "-" + std::to_string(blobId) + ".png")) {
    error_ = "cannot write the picture of blob " + std::to_string(blobId);
    return false;
  }
  return true;
}

bool ArtPlan::addPlane(int planeId, Canvas& picture) {
  if (std::find(planes_.begin(), planes_.end(), planeId) != planes_.end()) {
    error_ = "plane " + std::to_string(planeId) + " given twice";
    return false;
  }
  planes_.push_back(planeId);
  if (!picture.writePng(outDir_ + "/png/plane-" + std::to_string(planeId) + ".png")) {
    error_ = "cannot write the picture of plane " + std::to_string(planeId);
    return false;
  }
  return true;
}

bool ArtPlan::finish(const std::string& databaseName) const {
  std::ofstream pack(outDir_ + "/packlist.txt");
  std::ofstream manifest(outDir_ + "/art.txt");
  manifest << "# Generated: blob sets of the artwork.\nname " << databaseName << "\ntype ARES\ncreator QzSo\n";
  for (const auto& [setId, ids] : sets_) {
    pack << setId << " --direct";
    for (int id : ids) pack << ' ' << id;
    pack << '\n';
    manifest << "resource aBST " << setId << " file sets/" << setId << ".bst\n";
  }
  for (int planeId : planes_) {
    pack << "plane " << planeId << '\n';
    manifest << "resource aPLN " << planeId << " file sets/plane-" << planeId << ".pln\n";
  }
  return static_cast<bool>(pack) && static_cast<bool>(manifest);
}

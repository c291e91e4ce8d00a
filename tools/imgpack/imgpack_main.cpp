// imgpack blobset OUT (--palette|--packed|--direct) ID:FILE.png ...
// imgpack pln OUT (--raw|--palette) FILE.png
// imgpack dct OUT QUALITY FILE.jpg   (any JPEG; one made by cjpeg -baseline -quality QUALITY
//                                     -sample 2x2 keeps its data unchanged)
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "imgpack_blob.h"
#include "imgpack_jpeg.h"
#include "imgpack_pln.h"
#include "imgpack_png.h"

namespace {

int usage() {
  std::fprintf(stderr,
               "usage: imgpack blobset OUT (--palette|--packed|--direct) ID:FILE.png ...\n"
               "       imgpack pln OUT (--raw|--palette) FILE.png\n"
               "       imgpack dct OUT QUALITY FILE.jpg\n");
  return 2;
}

int fail(const std::string& message) {
  std::fprintf(stderr, "imgpack: %s\n", message.c_str());
  return 1;
}

bool writeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
  const std::string temp = path + ".tmp";
  {
    std::ofstream out(temp, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!out) return false;
  }
  return std::rename(temp.c_str(), path.c_str()) == 0;
}

int blobset(const std::string& out, const std::string& mode, int argc, char** argv) {
  imgpack::BlobStorage storage = imgpack::BlobStorage::Palette;
  if (mode == "--packed") storage = imgpack::BlobStorage::PalettePacked;
  else if (mode == "--direct") storage = imgpack::BlobStorage::Direct;
  else if (mode != "--palette") return usage();
  std::vector<imgpack::BlobImage> blobs;
  std::string error;
  for (int i = 0; i < argc; ++i) {
    const std::string arg = argv[i];
    const size_t colon = arg.find(':');
    if (colon == std::string::npos) return usage();
    imgpack::Image image;
    if (!imgpack::readPng(arg.substr(colon + 1), &image, &error)) return fail(error);
    imgpack::BlobImage blob;
    blob.id = static_cast<int16_t>(std::atoi(arg.substr(0, colon).c_str()));
    blob.width = image.width;
    blob.height = image.height;
    blob.pixels = std::move(image.pixels);
    blob.opaque = std::move(image.opaque);
    blobs.push_back(std::move(blob));
  }
  std::vector<uint8_t> bytes;
  if (!imgpack::buildBlobSet(blobs, storage, &bytes, &error)) return fail(error);
  return writeFile(out, bytes) ? 0 : fail("cannot write " + out);
}

int pln(const std::string& out, const std::string& mode, const std::string& file) {
  imgpack::Image image;
  std::string error;
  if (!imgpack::readPng(file, &image, &error)) return fail(error);
  std::vector<uint8_t> bytes;
  if (mode == "--raw") {
    bytes = imgpack::buildPlnRaw(image);
  } else if (mode == "--palette") {
    if (!imgpack::buildPlnPalette(image, &bytes, &error)) return fail(error);
  } else {
    return usage();
  }
  return writeFile(out, bytes) ? 0 : fail("cannot write " + out);
}

int dct(const std::string& out, int quality, const std::string& file) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return fail("cannot read " + file);
  const std::vector<uint8_t> jpeg{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  imgpack::DctPayload payload;
  std::string error;
  if (!imgpack::jpegToDct(jpeg, quality, &payload, &error)) return fail(file + ": " + error);
  return writeFile(out, imgpack::buildPlnDct(payload.width, payload.height, payload.bytes)) ? 0
                                                                                            : fail("cannot write " + out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) return usage();
  const std::string command = argv[1];
  if (command == "blobset") return blobset(argv[2], argv[3], argc - 4, argv + 4);
  if (command == "pln" && argc == 5) return pln(argv[2], argv[3], argv[4]);
  if (command == "dct" && argc == 5) return dct(argv[2], std::atoi(argv[3]), argv[4]);
  return usage();
}

// Writes the fuzzer's seed inputs: small well-formed files from the test
// builder, one per shape the reader knows.

#include <fstream>
#include <string>

#include "RawFileBuilder.h"

using namespace kirabo::test;

static void Write(const std::string& folder, const std::string& name, const std::string& bytes) {
  std::ofstream(folder + "/" + name, std::ios::binary) << bytes;
}

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  std::string folder = argv[1];
  int64_t t = UtcSeconds(2004, 10, 5, 9, 25, 10);

  CiffHeap makeModel;
  makeModel.Record(0x080A, std::string("Canon\0Canon EOS D30\0", 20));
  CiffHeap props;
  props.Heap(0x2807, makeModel).Record(0x180E, CaptureTimeData(t));
  CiffHeap root;
  root.Record(0x2005, "image").Heap(0x300A, props).InRecord(0x1804, "12345678");
  Write(folder, "ciff-nested.crw", CiffFile(root));
  Write(folder, "ciff-motorola.crw", CiffFile(root, "MM"));

  TiffFile tiff;
  tiff.Directory({Ascii(0x010F, "Canon"), Ascii(0x0110, "Canon EOS 20D"), Ascii(0x0132, "2004:10:05 09:25:10")})
      .Directory({{0x0111, 4, 1, std::string("\x10\0\0\0", 4), {}}});
  Write(folder, "tiff-canon.cr2", tiff.Build());

  TiffFile chain;
  chain.Directory({Ascii(0x010F, "Nikon"), Ascii(0x0132, "2004:10:05 09:25:10"), {0x0100, 3, 1, "", {}}})
      .Directory({Ascii(0x0132, "2010:05:01 12:00:00")});
  Write(folder, "tiff-chain.cr2", chain.Build());

  // The costliest shape known: chained directories sharing one huge table.
  Write(folder, "tiff-shared-table.cr2", SharedTableTiff(256, 65535));

  Write(folder, "cr3-camera.cr3", Cr3File("2004:10:05 09:25:10", "2004:10:05 09:25:10"));
  Write(folder, "cr3-cmt1-only.cr3", Cr3File("2004:10:05 09:25:10", {}));
  std::string exif = Cmt2Box("2004:10:05 09:25:10").substr(8);
  Write(folder, "cr3-large-sizes.cr3",
        Cr3FileType() + LargeBox("moov", LargeBox("uuid", kCanonUuid + LargeBox("CMT2", exif))) +
            BoxClaiming(0, "mdat", "image"));

  // Other makers: a TIFF whose IFD0 points to the Exif directory, in each
  // byte order and magic, and the two containers that wrap one.
  auto camera = [](TiffFile tiff) {
    return ExifTiff(std::move(tiff), {Ascii(0x010F, "NIKON"), Ascii(0x0132, "2005:08:25 13:09:05")},
                    {Ascii(kDateTimeOriginalTag, "2004:10:05 09:25:10"),
                     Ascii(kDateTimeDigitizedTag, "2004:10:05 09:25:10")});
  };
  auto bigEndian = [] { return TiffFile("MM").BigEndian().Magic(std::string("\0*", 2)); };
  Write(folder, "exif-ii.nef", camera(TiffFile()));
  Write(folder, "exif-mm.dng", camera(bigEndian()));
  Write(folder, "exif-olympus.orf", camera(TiffFile().Magic("RO")));
  Write(folder, "exif-panasonic.rw2", camera(TiffFile().Magic(std::string("U\0", 2))));
  Write(folder, "raf-preview.raf", RafFile(JpegWithExif(camera(bigEndian()))));
  Write(folder, "mrw-ttw.mrw", MrwFile(camera(bigEndian())));
  return 0;
}

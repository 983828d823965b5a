// Any bytes as a course file: a refused file leaves the course as it was and says why; an
// accepted one has a title and sections, each with a title and tasks named "*.tda" that lie in
// the course folder.
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "task/course_file.h"

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tumbo::task;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  TCourse course;
  course.Title = "vorher";
  const TTaskResult r = ParseCourse(bytes, "kurs.tdk", course);
  if (!r.Ok()) {
    Check(course.Title == "vorher" && course.Sections.empty() && !r.Message.empty());
    return 0;
  }
  Check(!course.Title.empty() && !course.Sections.empty());
  for (const TCourseSection& s : course.Sections) {
    Check(!s.Title.empty() && !s.Tasks.empty());
    for (const std::string& t : s.Tasks)
      Check(t.size() > 4 && t.find_first_of("/\\") == std::string::npos && t[0] != '.');
  }
  return 0;
}

// The paged text viewer driven in-process under a real X server: pages,
// the page field, the exports to tmp.txt and tmp.pdf with and without an
// external viewer, and the ways out. Run through xvfb-run.
#include <gtest/gtest.h>

#include <FL/Fl_Browser.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Input.H>
#include <FL/forms.H>

#include <filesystem>
#include <list>
#include <unistd.h>

#include "forms_documents.h"
#include "forms_play.h"
#include "ofd_afficheur.h"
#include "run_tool.h"

namespace {

class Viewer : public forms_test {
 protected:
  void SetUp() override {
    forms_test::SetUp();
    old_dir = std::filesystem::current_path();
    dir = scratch_dir(std::string("viewer_") + testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::current_path(dir);
    parent = new Fl_Window(200, 100, "appelant");
    parent->end();
    parent->show();
  }
  void TearDown() override {
    delete parent;
    std::filesystem::current_path(old_dir);
    forms_test::TearDown();
  }

  // Types a page number and presses the unlabelled go button.
  static void go_to(OFD_afficheur& v, const char* page) {
    v.page_input->value(page);
    click(v.go_button);
  }

  std::string old_dir, dir;
  Fl_Window* parent = nullptr;
};

std::string line(OFD_afficheur& v, int i) { return v.browser->text(i); }

TEST_F(Viewer, PagesAndThePageField) {
  OFD_afficheur v(parent, 1);
  std::vector<std::string> doc = concat({"#C 12 "}, lignes(78));
  std::string title = std::string(81, 't');
  std::vector<std::string> seen;
  auto state = [&] {
    seen.push_back(std::string(v.page_label->label()) + "|" + v.page_input->value() + "|" +
                   std::to_string(v.browser->size()) + "|" + line(v, v.browser->size()));
  };
  play({[&] {
          EXPECT_FALSE(parent->active()) << "the caller is inactive meanwhile";
          EXPECT_TRUE(v.window->shown());
          EXPECT_EQ(Fl::modal(), v.window);
          EXPECT_EQ(v.title_text->label(), title);
          EXPECT_EQ(line(v, 1), "") << "a definition shows as an empty line";
          state();
          click(v.next_button);
        },
        [&] { state(), click(v.next_button); },
        [&] { state(), go_to(v, "0"); },
        [&] { state(), go_to(v, "-1"); },
        [&] { state(), go_to(v, "3"); },
        [&] { state(), go_to(v, ""); },
        [&] { state(), go_to(v, "1"); },
        [&] { state(), click(v.previous_button); },
        [&] { state(), go_to(v, "2"); },
        [&] { state(), click(v.cancel_button); }});
  v.activation(doc.data(), static_cast<int>(doc.size()), title + "cut off", "");
  // Page label, page field, browser lines and the last of them; a page
  // number that names no page leaves the page as it was.
  auto p1 = [](std::string typed) { return "page 1 / 2    |" + typed + "|78|@f@S14 ligne 77"; };
  auto p2 = [](std::string typed) { return "page 2 / 2    |" + typed + "|1|@f@S14 ligne 78"; };
  EXPECT_EQ(seen, (std::vector<std::string>{p1("1"), p2("2"), p2("2"), p2("0"), p2("-1"), p2("3"), p2(""), p1("1"),
                                            p1("1"), p2("2")}));
  EXPECT_TRUE(parent->active());
  EXPECT_FALSE(v.window->shown());
  EXPECT_EQ(v.current_page, 1);
  EXPECT_STREQ(v.next_button->label(), "next page");
  EXPECT_STREQ(v.cancel_button->label(), "CANCEL");
}

TEST_F(Viewer, ClosingTheWindowEndsTheViewer) {
  OFD_afficheur v(parent, 0);
  std::list<std::string> doc = {"#C 4 ", "abcdef", "#T"};
  play({[&] {
    EXPECT_EQ(line(v, 2), "@f@S14 abcd");
    EXPECT_EQ(line(v, 3), "@f@S14 ----");
    EXPECT_STREQ(v.page_label->label(), "page 1 / 1    ");
    v.window->do_callback();
  }});
  v.activation(doc, "liste", "");
  EXPECT_TRUE(parent->active());
  EXPECT_FALSE(v.window->shown());
  EXPECT_STREQ(v.next_button->label(), "page suivante");
  EXPECT_STREQ(v.pdf_button->label(), "fichier pdf");
  EXPECT_EQ(v.display_filter->visu_page(0), "\n@f@S14 abcd\n@f@S14 ----\n") << "the copy of the list outlives the run";
}

TEST_F(Viewer, BrowserLinesAreCutAt160Characters) {
  OFD_afficheur v(parent, 1);
  std::string doc[] = {"#C 300 ", std::string(300, 'x')};
  size_t shown = 0;
  play({[&] {
    shown = std::string(line(v, 2)).size();
    click(v.cancel_button);
  }});
  v.activation(doc, 2, "long", "");
  EXPECT_EQ(shown, 160u);
}

TEST_F(Viewer, NothingToShow) {
  OFD_afficheur v(parent, 1);
  std::list<std::string> empty;
  v.activation(nullptr, 3, "t", "");
  v.activation(empty, "t", "");
  EXPECT_TRUE(parent->active());
  EXPECT_FALSE(v.window->shown());
  OFD_afficheur orphan(nullptr, 1);
  std::string one[] = {"x"};
  play({[&] { click(orphan.cancel_button); }});
  orphan.activation(one, 1, "sans parent", "");
}

TEST_F(Viewer, TextExport) {
  OFD_afficheur v(parent, 0);
  std::string doc[] = {"#C 3 ", "a#b", "#T"};
  bool said = false;
  play({[&] { click(v.text_button); },
        [&] {
          said = box_says("generation du fichier tmp.txt");
          cancel_box();
        },
        [&] { click(v.cancel_button); }});
  v.activation(doc, 3, "texte", "");
  EXPECT_TRUE(said);
  std::string dashes(55, '-');
  EXPECT_EQ(read_file(dir + "/tmp.txt"), dashes + "\na#b\n" + dashes + "\n");
}

// An export that cannot be written used to be announced as written.
TEST_F(Viewer, ExportsThatCannotBeWrittenSaySo) {
  std::filesystem::create_directory(dir + "/tmp.txt");
  std::filesystem::create_directory(dir + "/tmp.pdf");
  OFD_afficheur v(parent, 1);
  std::string doc[] = {"x"};
  std::string viewer = dir + "/viewer";
  write_file(viewer, "#!/bin/sh\ntouch ran\n");
  std::filesystem::permissions(viewer, std::filesystem::perms::owner_all);
  bool text_said = false, pdf_said = false;
  play({[&] { click(v.text_button); },
        [&] {
          text_said = box_says("ERROR: cannot write the file tmp.txt");
          cancel_box();
        },
        [&] { click(v.pdf_button); },
        [&] {
          pdf_said = box_says("ERROR: cannot write the file tmp.pdf");
          cancel_box();
        },
        [&] { click(v.cancel_button); }});
  v.activation(doc, 1, "t", viewer);
  EXPECT_TRUE(text_said);
  EXPECT_TRUE(pdf_said);
  EXPECT_FALSE(file_exists(dir + "/ran")) << "no viewer on a document that was not written";
}

TEST_F(Viewer, PdfExportWithoutAViewerStays) {
  OFD_afficheur v(parent, 1);
  std::vector<std::string> doc = tableau();
  bool said = false;
  play({[&] { click(v.pdf_button); },
        [&] {
          said = box_says("generation of tmp.pdf file");
          cancel_box();
        },
        [&] { click(v.cancel_button); }});
  v.activation(doc.data(), static_cast<int>(doc.size()), "pdf", "");
  EXPECT_TRUE(said);
  EXPECT_EQ(read_file(dir + "/tmp.pdf").substr(0, 9), "%PDF-1.4\n");
}

// The viewer command is one program name, blanks included, as between
// double quotes; it sees tmp.pdf, which is gone once the viewer has ended.
TEST_F(Viewer, PdfExportOpensTheViewerThenRemovesTheFile) {
  std::filesystem::create_directory(dir + "/my viewer");
  std::string viewer = dir + "/my viewer/show pdf";
  write_file(viewer, "#!/bin/sh\necho \"$#:$1\" > args\ncp \"$1\" seen.pdf\n");
  std::filesystem::permissions(viewer, std::filesystem::perms::owner_all);
  OFD_afficheur v(parent, 1);
  std::string doc[] = {"#P 10 ", "hello"};
  play({[&] { click(v.pdf_button); }, [&] { click(v.cancel_button); }});
  v.activation(doc, 2, "pdf", viewer);
  EXPECT_EQ(read_file(dir + "/args"), "1:tmp.pdf\n");
  EXPECT_EQ(read_file(dir + "/seen.pdf").substr(0, 9), "%PDF-1.4\n");
  EXPECT_FALSE(file_exists(dir + "/tmp.pdf"));

  v.pdf_viewer = "no-such-viewer-in-the-path";
  testing::internal::CaptureStderr();
  v.fichier_pdf();
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "cannot run no-such-viewer-in-the-path on tmp.pdf\n");
  EXPECT_FALSE(file_exists(dir + "/tmp.pdf"));
}

TEST_F(Viewer, PostscriptViewerRemovesItsFile) {
  OFD_afficheur v(parent, 1);
  write_file(dir + "/tmp.ps", "%!PS\n");
  testing::internal::CaptureStderr();
  v.imprime_tmp_ps();
  testing::internal::GetCapturedStderr();
  EXPECT_FALSE(file_exists(dir + "/tmp.ps"));
}

}  // namespace

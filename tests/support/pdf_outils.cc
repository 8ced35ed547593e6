// Readers of the PDF files written by the tests.
#include "pdf_outils.h"

#include <gtest/gtest.h>

#include <sstream>

#include "run_tool.h"

std::map<int, long> xref_du_document(const std::string& pdf) {
  std::map<int, long> r;
  size_t s = pdf.rfind("startxref");
  if (s == std::string::npos) return r;
  long xref = std::stol(pdf.substr(s + 9));
  if (xref < 0 || pdf.compare(static_cast<size_t>(xref), 4, "xref") != 0) return r;
  std::istringstream in(pdf.substr(static_cast<size_t>(xref) + 4));
  int premier, nombre;
  while (in >> premier >> nombre) {
    for (int k = 0; k < nombre; ++k) {
      long offset;
      int generation;
      std::string etat;
      in >> offset >> generation >> etat;
      if (etat == "n") r[premier + k] = offset;
    }
  }
  return r;
}

std::string lignes_lf(const std::string& crlf) {
  std::string r;
  for (size_t i = 0; i < crlf.size(); ++i) {
    if (crlf[i] == '\r' && i + 1 < crlf.size() && crlf[i + 1] == '\n') continue;
    r += crlf[i];
  }
  return r;
}

static std::string outil(const char* chemin) {
  EXPECT_TRUE(file_exists(chemin)) << chemin << " is missing: run scripts/setup.sh";
  return chemin;
}

::testing::AssertionResult qpdf_accepte(const std::string& fichier) {
  run_result r = run_tool({outil(TARVEK_QPDF), "--check", fichier});
  std::string dit = r.out + r.err;
  if (r.exit_code != 0 || dit.find("No syntax or stream encoding errors found") == std::string::npos ||
      dit.find("WARNING") != std::string::npos)
    return ::testing::AssertionFailure() << "qpdf --check " << fichier << " exit " << r.exit_code << ":\n"
                                         << dit;
  return ::testing::AssertionSuccess();
}

std::string rendu_png(const std::string& fichier, int dpi) {
  std::string prefixe = fichier + "-page";
  run_result r =
      run_tool({outil(TARVEK_PDFTOPPM), "-png", "-r", std::to_string(dpi), "-singlefile", fichier, prefixe});
  EXPECT_EQ(r.exit_code, 0) << r.err;
  EXPECT_EQ(r.err, "");
  return prefixe + ".png";
}

std::string texte_du_pdf(const std::string& fichier) {
  run_result r = run_tool({outil(TARVEK_PDFTOTEXT), fichier, "-"});
  EXPECT_EQ(r.exit_code, 0) << r.err;
  return r.out;
}

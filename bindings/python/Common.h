// What the parts of the Python module share: the exception they raise and
// the readers of seats, strains, cards and deals that raise it.
#pragma once

#include <pybind11/pybind11.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "ddsolver/Deal.h"
#include "ddsolver/Status.h"

namespace ddpy {

namespace py = pybind11;

// Raised as ddsolver.Error, with the status's message and the detail.
struct Error : std::runtime_error {
    using std::runtime_error::runtime_error;
};

[[noreturn]] void fail(ddsolver::Status status, const std::string& reason = "");
void check(ddsolver::Status status, const std::string& reason = "");

ddsolver::Seat readSeat(const std::string& text, ddsolver::Status whenBad);
ddsolver::Strain readStrain(const std::string& text);
ddsolver::Card readCard(const std::string& text);
std::vector<ddsolver::Card> readCards(const std::vector<std::string>& texts);
ddsolver::Deal readDeal(const std::string& text, ddsolver::DealSize size);
// None: one per core; else at least 1.
int readThreads(const py::object& threads);

void bindTables(py::module_& m);
void bindPlay(py::module_& m);
void bindPreferans(py::module_& m);
void bindSimulation(py::module_& m);

}  // namespace ddpy

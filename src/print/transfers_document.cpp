#include "print/transfers_document.h"

#include "core/viewer/list_control.h"
#include "print/list_layout.h"

namespace noemie::print {

Document transfers_document(const viewer::Viewer& viewer, const viewer::TransferSheet& sheet,
                            const PrintDate& date) {
  viewer::ListControl list;
  viewer::transfer_print_list(sheet, list);
  PrintHeading heading = heading_of(viewer, date);
  heading.caption = std::string(viewer::kTransfersCaption);
  heading.summary = viewer::transfer_status_text(sheet);
  return lay_out_list(list, heading, std::string(viewer::kTransfersCaption));
}

}  // namespace noemie::print

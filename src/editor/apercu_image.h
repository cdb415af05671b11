#pragma once
// The picture dialog's preview: a pane beside the file list that shows the selected file
// through the editor's own picture loader.

class QFileDialog;

void prepare_apercu(QFileDialog &boite);

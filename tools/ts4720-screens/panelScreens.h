// The pictures ts4720-screens takes, one function per window or state.
#ifndef TS4720_PANELSCREENS_H
#define TS4720_PANELSCREENS_H

#include <QString>

class QWidget;

namespace panelScreens {

// Shows the widget, lets it paint and writes it to dir/name.png; prints the path.
void save(QWidget *widget, const QString &dir, const QString &name);

// The main window in demo mode for each model, and against a simulated instrument with the
// device information dialog; the LED while the instrument answers and after it has gone.
void mainPanel(const QString &dir);
// Both channel pages in demo mode and against an instrument, 16 and 48 channels; refused
// threshold and coefficient input.
void channelPages(const QString &dir);
// The Measurement tab against an instrument, 16 and 48 channels: live view with open,
// alert and disabled tiles (also in kelvin), and the trigger configuration.
void measurementPages(const QString &dir);
void acquisitionPages(const QString &dir);
// The selection dialog with a module of another model greyed; the one box of an outage.
void connection(const QString &dir);
// The storage tab against an instrument with files of every size form, sorted by size and
// by location; the box refusing a hostile name; the tab in demo mode.
void storagePage(const QString &dir);
// The main panel's storage tab, View clicked on the largest file, and the screen with the
// viewer it started (needs a display: xvfb-run).
void storageView(const QString &dir);
// A plot pane with 48 long curves, zoomed, exported, its axis dialog and its statistics.
void plotPane(const QString &dir);
// The Measurement tab during a recorded run at 100 Hz: the Waveforms panes and the
// Data Acquisition page, running and stopped.
void measurementPages(const QString &dir);
void acquisitionPages(const QString &dir);

// The program as a viewer of a recorded file: the Load Data File dialog, the Waveforms view
// paged with the first pane's slider, and every tab as the file fills it.
void viewer(const QString &dir, const QString &file);

} // namespace panelScreens

#endif

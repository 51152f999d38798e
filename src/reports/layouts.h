#pragma once

#include "reportlayout.h"

// The five report layouts of the program, as designed.
namespace layouts {

ReportLayout estratto(); // client statement, "Estratto Conto Cliente"
ReportLayout reportParcellati(); // services of a period with their total, "Report"
ReportLayout drtTest(); // services grouped by client, "Elenco Prestazioni"
ReportLayout report(); // every service, "Scheda"
ReportLayout cliente(); // client list, "Lista Clienti"

}

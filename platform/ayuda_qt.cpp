#include "platform/ayuda_qt.h"

#include <QApplication>
#include <QFile>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace zendo {

QString RecursoAyuda(int contexto) {
  return QStringLiteral(":/ayuda/%1.html").arg(contexto);
}

bool ExisteTemaAyuda(int contexto) {
  return QFile::exists(RecursoAyuda(contexto));
}

VentanaAyuda::VentanaAyuda(QWidget* padre) : QDialog(padre) {
  setObjectName(QStringLiteral("ayuda"));
  setWindowTitle(QStringLiteral("Ayuda de Zendo"));
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  setWindowFlag(Qt::WindowMinMaxButtonsHint, true);
  resize(620, 520);

  visor_ = new QTextBrowser(this);
  visor_->setObjectName(QStringLiteral("Tex_Ayuda"));
  visor_->setOpenLinks(true);
  visor_->setOpenExternalLinks(false);
  visor_->setSearchPaths({QStringLiteral(":/ayuda")});

  auto* contenido = new QPushButton(QStringLiteral("Contenido"), this);
  contenido->setObjectName(QStringLiteral("Pic_BotContenido"));
  auto* atras = new QPushButton(QStringLiteral("Atrás"), this);
  atras->setObjectName(QStringLiteral("Pic_BotAtras"));
  auto* cerrar = new QPushButton(QStringLiteral("Cerrar"), this);
  cerrar->setObjectName(QStringLiteral("Pic_BotCerrar"));
  atras->setEnabled(false);

  auto* barra = new QHBoxLayout;
  barra->addWidget(contenido);
  barra->addWidget(atras);
  barra->addStretch();
  barra->addWidget(cerrar);
  auto* capas = new QVBoxLayout(this);
  capas->addLayout(barra);
  capas->addWidget(visor_);

  connect(contenido, &QPushButton::clicked, this, [this] { MuestraTema(kTemaContenido); });
  connect(atras, &QPushButton::clicked, visor_, &QTextBrowser::backward);
  connect(visor_, &QTextBrowser::backwardAvailable, atras, &QPushButton::setEnabled);
  connect(cerrar, &QPushButton::clicked, this, &QDialog::close);
}

void VentanaAyuda::MuestraTema(int contexto) {
  tema_ = contexto;
  if (ExisteTemaAyuda(contexto)) {
    visor_->setSource(QUrl(QStringLiteral("qrc") + RecursoAyuda(contexto)));
    return;
  }
  visor_->setHtml(
      QStringLiteral("<h2>Tema de ayuda no encontrado</h2>"
                     "<p>No se encuentra la página de ayuda del tema %1.</p>"
                     "<p>Puede consultar el <a href=\"qrc:/ayuda/%2.html\">contenido de la "
                     "ayuda</a> para buscar el tema que necesita.</p>")
          .arg(contexto)
          .arg(kTemaContenido));
}

VisorAyudaQt::~VisorAyudaQt() {
  delete ventana_.data();
}

void VisorAyudaQt::Abre(int contexto) {
  // Help asked for from a modal screen or message must take input while that one waits, so
  // it opens modal itself, above it; from the main menu it stays beside the program.
  QWidget* modal = QApplication::activeModalWidget();
  const bool sobreModal = modal != nullptr && modal != ventana_;
  if (ventana_ != nullptr && (ventana_->windowModality() == Qt::ApplicationModal) != sobreModal) {
    ventana_->hide();
  }
  if (ventana_ == nullptr) {
    ventana_ = new VentanaAyuda(nullptr);
    ventana_->setAttribute(Qt::WA_DeleteOnClose);
  }
  if (!ventana_->isVisible()) {
    ventana_->setWindowModality(sobreModal ? Qt::ApplicationModal : Qt::NonModal);
  }
  ventana_->MuestraTema(contexto);
  ventana_->show();
  ventana_->raise();
  ventana_->activateWindow();
}

}  // namespace zendo

<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="es">
<context>
    <name>CardPaymentDialog</name>
    <message>
        <source>Your earlier payment for this cart has been recorded.</source>
        <translation>Su pago anterior de este carrito quedó registrado.</translation>
    </message>
    <message>
        <source>Your earlier payment for this cart was refunded. Enter your card to pay again.</source>
        <translation>Su pago anterior de este carrito fue reembolsado. Ingrese su tarjeta para pagar de nuevo.</translation>
    </message>
    <message>
        <source>The store could not tell what became of your earlier payment. Press PAY to try again; your card will not be charged again.</source>
        <translation>La tienda no pudo saber qué pasó con su pago anterior. Presione PAGAR para intentarlo de nuevo; no se le volverá a cobrar en su tarjeta.</translation>
    </message>
    <message>
        <source>Payment Error, Something Wrong. Try again.</source>
        <translation>Error en el pago, algo salió mal. Inténtelo de nuevo.</translation>
    </message>
    <message>
        <source>Something wrong.</source>
        <translation>Algo salió mal.</translation>
    </message>
    <message>
        <source>Your payment went through; press PAY to record the purchase. Your card will not be charged again.</source>
        <translation>Su pago se realizó; presione PAGAR para registrar la compra. No se le volverá a cobrar en su tarjeta.</translation>
    </message>
    <message>
        <source>The payment has not been answered yet. Please wait here: if it goes through, the purchase is recorded and your card will not be charged twice.</source>
        <translation>El pago aún no tiene respuesta. Espere aquí: si se realiza, la compra queda registrada y no se le cobrará dos veces en su tarjeta.</translation>
    </message>
    <message>
        <source>Your payment went through already. Press PAY to record the purchase; your card will not be charged again.</source>
        <translation>Su pago ya se realizó. Presione PAGAR para registrar la compra; no se le volverá a cobrar en su tarjeta.</translation>
    </message>
    <message>
        <source>Press PAY to send the same payment again: if it went through, your card will not be charged twice.</source>
        <translation>Presione PAGAR para enviar el mismo pago de nuevo: si ya se realizó, no se le cobrará dos veces en su tarjeta.</translation>
    </message>
    <message>
        <source>Your last payment for this cart got no answer. Press PAY to send it again; your card will not be charged twice.</source>
        <translation>Su último pago de este carrito no tuvo respuesta. Presione PAGAR para enviarlo de nuevo; no se le cobrará dos veces en su tarjeta.</translation>
    </message>
    <message>
        <source>Card number, digits %1 to %2</source>
        <translation>Número de tarjeta, dígitos %1 a %2</translation>
    </message>
    <message>
        <source>WAIT</source>
        <translation>ESPERE</translation>
    </message>
    <message>
        <source>PAY</source>
        <translation>PAGAR</translation>
    </message>
</context>
<context>
    <name>CartEntryDialog</name>
    <message>
        <source>You have carted already.</source>
        <translation>Ya agregó esto a su carrito.</translation>
    </message>
</context>
<context>
    <name>CartReply</name>
    <message>
        <source>The store sent an answer that could not be read. Please try again.</source>
        <translation>La tienda envió una respuesta que no se pudo leer. Inténtelo de nuevo.</translation>
    </message>
    <message>
        <source>The store could not be reached. Please try again.</source>
        <translation>No se pudo conectar con la tienda. Inténtelo de nuevo.</translation>
    </message>
</context>
<context>
    <name>CheckoutChecks</name>
    <message>
        <source>Insert Country.</source>
        <translation>Ingrese el país.</translation>
    </message>
    <message>
        <source>Insert FirstName.</source>
        <translation>Ingrese el nombre.</translation>
    </message>
    <message>
        <source>Insert LastName.</source>
        <translation>Ingrese el apellido.</translation>
    </message>
    <message>
        <source>Insert Address.</source>
        <translation>Ingrese la dirección.</translation>
    </message>
    <message>
        <source>Insert City.</source>
        <translation>Ingrese la ciudad.</translation>
    </message>
    <message>
        <source>Insert Sate.</source>
        <translation>Ingrese el estado o la provincia.</translation>
    </message>
    <message>
        <source>Insert ZIP CODE.</source>
        <translation>Ingrese el código postal.</translation>
    </message>
    <message>
        <source>Insert Email.</source>
        <translation>Ingrese el correo electrónico.</translation>
    </message>
    <message>
        <source>Insert Phone.</source>
        <translation>Ingrese el teléfono.</translation>
    </message>
    <message>
        <source>Insert Card Number.</source>
        <translation>Ingrese el número de tarjeta.</translation>
    </message>
    <message>
        <source>Insert Month Correctly.</source>
        <translation>Ingrese el mes correctamente.</translation>
    </message>
    <message>
        <source>Insert Year Correctly.</source>
        <translation>Ingrese el año correctamente.</translation>
    </message>
    <message>
        <source>Insert CVV.</source>
        <translation>Ingrese el CVV.</translation>
    </message>
</context>
<context>
    <name>CqDlgAboutUs</name>
    <message>
        <source>About Us</source>
        <translation>Quiénes somos</translation>
    </message>
    <message>
        <source>The About Us page could not be loaded. Please try again later.</source>
        <translation>No se pudo cargar la página Quiénes somos. Inténtelo de nuevo más tarde.</translation>
    </message>
    <message>
        <source>Photo of %1</source>
        <translation>Foto de %1</translation>
    </message>
    <message>
        <source>Showing the first %1 of %2 people.</source>
        <translation>Se muestran las primeras %1 de %2 personas.</translation>
    </message>
</context>
<context>
    <name>CqDlgAddress</name>
    <message>
        <source>Address</source>
        <translation>Dirección</translation>
    </message>
    <message>
        <source>Billing Address</source>
        <translation>Dirección de facturación</translation>
    </message>
    <message>
        <source>Country</source>
        <translation>País</translation>
    </message>
    <message>
        <source>First Name</source>
        <translation>Nombre</translation>
    </message>
    <message>
        <source>Last Name</source>
        <translation>Apellido</translation>
    </message>
    <message>
        <source>Town/City</source>
        <translation>Ciudad/Localidad</translation>
    </message>
    <message>
        <source>State</source>
        <translation>Estado/Provincia</translation>
    </message>
    <message>
        <source>ZIP CODE</source>
        <translation>CÓDIGO POSTAL</translation>
    </message>
    <message>
        <source>Email</source>
        <translation>Correo electrónico</translation>
    </message>
    <message>
        <source>Phone</source>
        <translation>Teléfono</translation>
    </message>
    <message>
        <source>Ship to a different address?</source>
        <translation>¿Enviar a otra dirección?</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>ACEPTAR</translation>
    </message>
    <message>
        <source>CANCEL</source>
        <translation>CANCELAR</translation>
    </message>
    <message>
        <source>Shipping Address</source>
        <translation>Dirección de envío</translation>
    </message>
</context>
<context>
    <name>CqDlgBuy</name>
    <message>
        <source>Buy</source>
        <translation>Comprar</translation>
    </message>
    <message>
        <source>Subscription : 30 days</source>
        <translation>Suscripción: 30 días</translation>
    </message>
    <message>
        <source>Price :</source>
        <translation>Precio:</translation>
    </message>
    <message>
        <source>BUY
SUBSCRIPTION</source>
        <translation>COMPRAR
SUSCRIPCIÓN</translation>
    </message>
    <message>
        <source>CANCEL</source>
        <translation>CANCELAR</translation>
    </message>
    <message>
        <source>The subscription has an automatic renewal.The automatic renewal can be cancelled at any time.The cost is deducted in advance in charging intervals of %1 days.</source>
        <translation>La suscripción se renueva automáticamente. La renovación automática se puede cancelar en cualquier momento. El costo se cobra por adelantado en intervalos de %1 días.</translation>
    </message>
    <message>
        <source>Price : $%1</source>
        <translation>Precio: $%1</translation>
    </message>
    <message>
        <source>BUY 
SUBSCRIPTION</source>
        <translation>COMPRAR 
SUSCRIPCIÓN</translation>
    </message>
    <message>
        <source>Subscription : %1 days</source>
        <translation>Suscripción: %1 días</translation>
    </message>
    <message>
        <source>If you want to purchase, please click 
BUY PRODUCT</source>
        <translation>Si desea comprarlo, haga clic en 
COMPRAR PRODUCTO</translation>
    </message>
    <message>
        <source>BUY 
PRODUCT</source>
        <translation>COMPRAR 
PRODUCTO</translation>
    </message>
    <message>
        <source>You have purchased this product already.Please check in your email for your purchase receipt.This product will be shipped within 7 business days.If you want to purchase again, please click BUY PRODUCTTo contact us, send a text to %1 or email %2.</source>
        <translation>Ya compró este producto. Busque el recibo de compra en su correo electrónico. Este producto se enviará en un plazo de 7 días hábiles. Si desea comprarlo de nuevo, haga clic en COMPRAR PRODUCTO. Para comunicarse con nosotros, envíe un mensaje de texto al %1 o escriba a %2.</translation>
    </message>
</context>
<context>
    <name>CqDlgBuy1</name>
    <message>
        <source>If you want to purchase, please click 
 BUY SERVICE.</source>
        <translation>Si desea comprarlo, haga clic en 
 COMPRAR SERVICIO.</translation>
    </message>
    <message>
        <source>Price : $%1</source>
        <translation>Precio: $%1</translation>
    </message>
    <message>
        <source>BUY
SERVICE</source>
        <translation>COMPRAR
SERVICIO</translation>
    </message>
    <message>
        <source>BUY SERVICE</source>
        <translation>COMPRAR SERVICIO</translation>
    </message>
</context>
<context>
    <name>CqDlgCard</name>
    <message>
        <source>Card Payment</source>
        <translation>Pago con tarjeta</translation>
    </message>
    <message>
        <source>Card Number</source>
        <translation>Número de tarjeta</translation>
    </message>
    <message>
        <source>0000</source>
        <translation>0000</translation>
    </message>
    <message>
        <source>Expiration Date and CVV</source>
        <translation>Fecha de vencimiento y CVV</translation>
    </message>
    <message>
        <source>Month</source>
        <translation>Mes</translation>
    </message>
    <message>
        <source>Year</source>
        <translation>Año</translation>
    </message>
    <message>
        <source>CVV</source>
        <translation>CVV</translation>
    </message>
    <message>
        <source>PAY</source>
        <translation>PAGAR</translation>
    </message>
    <message>
        <source>CANCEL</source>
        <translation>CANCELAR</translation>
    </message>
</context>
<context>
    <name>CqDlgCart</name>
    <message>
        <source>Cart</source>
        <translation>Carrito</translation>
    </message>
    <message>
        <source>The product is in your cart.</source>
        <translation>El producto está en su carrito.</translation>
    </message>
    <message>
        <source>VIEW CART / CHECKOUT</source>
        <translation>VER CARRITO / PAGAR</translation>
    </message>
    <message>
        <source>CONTINUE SHOPPING</source>
        <translation>SEGUIR COMPRANDO</translation>
    </message>
</context>
<context>
    <name>CqDlgCheckInvite</name>
    <message>
        <source>Workout Friends</source>
        <translation>Amigos de entrenamiento</translation>
    </message>
    <message>
        <source>Would you like to invite a workout friend now?</source>
        <translation>¿Quiere invitar ahora a un amigo a entrenar?</translation>
    </message>
    <message>
        <source>YES</source>
        <translation>SÍ</translation>
    </message>
    <message>
        <source>NO</source>
        <translation>NO</translation>
    </message>
    <message>
        <source>YOU NEED MORE WORKOUT FRIENDS</source>
        <translation>NECESITA MÁS AMIGOS DE ENTRENAMIENTO</translation>
    </message>
    <message>
        <source>Having more workout friends will help you stay motivated. Plus, you could really help motivate others to become and stay healthy.WOULD YOU LIKE TO INVITE SOME WORKOUT FRIENDS NOW?</source>
        <translation>Tener más amigos de entrenamiento le ayudará a mantener la motivación. Además, usted puede motivar a otros a ponerse y mantenerse en forma. ¿QUIERE INVITAR AHORA A ALGUNOS AMIGOS A ENTRENAR?</translation>
    </message>
</context>
<context>
    <name>CqDlgConfirm</name>
    <message>
        <source>Confirm</source>
        <translation>Confirmar</translation>
    </message>
    <message>
        <source>ARE YOU SURE?</source>
        <translation>¿ESTÁ SEGURO?</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>ACEPTAR</translation>
    </message>
    <message>
        <source>CANCEL</source>
        <translation>CANCELAR</translation>
    </message>
    <message>
        <source>ARE YOU SURE?
SUBSCRIPTION CANCELLATION</source>
        <translation>¿ESTÁ SEGURO?
CANCELACIÓN DE LA SUSCRIPCIÓN</translation>
    </message>
    <message>
        <source>Are you sure you want to
cancel this subscription?</source>
        <translation>¿Está seguro de que desea
cancelar esta suscripción?</translation>
    </message>
    <message>
        <source>ARE YOU SURE? 
 VIDEO DELETE</source>
        <translation>¿ESTÁ SEGURO? 
 ELIMINAR VIDEO</translation>
    </message>
    <message>
        <source>Are you sure you want to
delete this video and download
a new updated version of this video?</source>
        <translation>¿Está seguro de que desea
eliminar este video y descargar
una versión actualizada?</translation>
    </message>
</context>
<context>
    <name>CqDlgConfirmComplete</name>
    <message>
        <source>Dialog</source>
        <translation>Diálogo</translation>
    </message>
    <message>
        <source>ARE YOU SURE? 
COMPLETE</source>
        <translation>¿ESTÁ SEGURO? 
FINALIZAR</translation>
    </message>
    <message>
        <source>Once you click the OK button your appointment will be completed. To receive more service you will need to purchase this service again.</source>
        <translation>Cuando haga clic en ACEPTAR, su cita quedará finalizada. Para recibir más atención tendrá que volver a comprar este servicio.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>ACEPTAR</translation>
    </message>
    <message>
        <source>CANCEL</source>
        <translation>CANCELAR</translation>
    </message>
</context>
<context>
    <name>CqDlgConfirmInvite</name>
    <message>
        <source>Invite a Friend</source>
        <translation>Invitar a un amigo</translation>
    </message>
    <message>
        <source>To invite a friend to OLVA please click the INVITE button.</source>
        <translation>Para invitar a un amigo a OLVA, haga clic en el botón INVITAR.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>ACEPTAR</translation>
    </message>
    <message>
        <source>CANCEL</source>
        <translation>CANCELAR</translation>
    </message>
</context>
<context>
    <name>CqDlgDetails</name>
    <message>
        <source>Product Details</source>
        <translation>Detalles del producto</translation>
    </message>
    <message>
        <source>CLOSE</source>
        <translation>CERRAR</translation>
    </message>
</context>
<context>
    <name>CqDlgFaq</name>
    <message>
        <source>FAQ</source>
        <translation>Preguntas frecuentes</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>ACEPTAR</translation>
    </message>
    <message>
        <source>Pinning OLVA Weight Loss to the taskbar</source>
        <translation>Anclar OLVA Weight Loss a la barra de tareas</translation>
    </message>
    <message>
        <source>HOW TO GET STARTED

1. Track your food. The FOOD TRACKER is free for every member: record what you eat at each of the six meals of the day, and the planner counts your calories, carbohydrates, fat, protein and fibre against your daily target and scores your day.

2. Work out and eat well. Workout videos, complete programs and nutrition products can be bought in the store (WORKOUT VIDEOS, and the store&apos;s nutrition and coaching pages). Bought videos are kept in your library and can be downloaded to watch offline.

3. Talk to people. Live fitness calls and telehealth services (TELE HEALTH) are bought like products and then held as video calls at the time you book.

4. Ask a question. The FREE COACHING and FREE NUTRITIONIST buttons send a quick text to a coach or a nutritionist. You will get an answer within 24 hours.

TIP: pin OLVA Weight Loss to your taskbar so it is one click away every day.</source>
        <translation>CÓMO EMPEZAR

1. Registre lo que come. El REGISTRO DE COMIDAS es gratuito para todos los miembros: anote lo que come en cada una de las seis comidas del día, y el planificador cuenta sus calorías, carbohidratos, grasas, proteínas y fibra frente a su meta diaria y le pone una puntuación a su día.

2. Haga ejercicio y coma bien. Los videos de ejercicio, los programas completos y los productos de nutrición se compran en la tienda (VIDEOS DE EJERCICIO y las páginas de nutrición y asesoría de la tienda). Los videos comprados se guardan en su biblioteca y se pueden descargar para verlos sin conexión.

3. Hable con personas. Las sesiones de entrenamiento en vivo y los servicios de telesalud (TELESALUD) se compran como los productos y luego se realizan por videollamada a la hora que reserve.

4. Haga una pregunta. Los botones ASESORÍA GRATUITA y NUTRICIONISTA GRATUITO envían un mensaje breve a un asesor o a un nutricionista. Recibirá una respuesta en un plazo de 24 horas.

CONSEJO: ancle OLVA Weight Loss a la barra de tareas para tenerlo a un clic todos los días.</translation>
    </message>
</context>
<context>
    <name>CqDlgInvite</name>
    <message>
        <source>MY INVITE LIST</source>
        <translation>MI LISTA DE INVITADOS</translation>
    </message>
    <message>
        <source>This is a list of people you have invited to download OLVA Weight Loss App and to become your workout friends. To see if they signed up, please check My Friends list. If you don’t see them under My Friends please reinvite them again.</source>
        <translation>Esta es la lista de las personas que invitó a descargar la aplicación OLVA Weight Loss y a ser sus amigos de entrenamiento. Para saber si ya se registraron, revise la lista Mis amigos. Si no aparecen en Mis amigos, invítelos de nuevo.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>ACEPTAR</translation>
    </message>
    <message>
        <source>MY FRIENDS LIST</source>
        <translation>MI LISTA DE AMIGOS</translation>
    </message>
    <message>
        <source>This is a list of my friends that have already download OLVA Weight Loss App. These are my workout friends. </source>
        <translation>Esta es la lista de mis amigos que ya descargaron la aplicación OLVA Weight Loss. Ellos son mis amigos de entrenamiento. </translation>
    </message>
    <message>
        <source>Your friends list could not be loaded. Please try again later.</source>
        <translation>No se pudo cargar su lista de amigos. Inténtelo de nuevo más tarde.</translation>
    </message>
    <message>
        <source>Your invite list could not be loaded. Please try again later.</source>
        <translation>No se pudo cargar su lista de invitados. Inténtelo de nuevo más tarde.</translation>
    </message>
    <message>
        <source>Showing the first %1 of %2 people.</source>
        <translation>Se muestran las primeras %1 de %2 personas.</translation>
    </message>
</context>
<context>
    <name>CqDlgServiceInfo</name>
    <message>
        <source>Dialog</source>
        <translation>Diálogo</translation>
    </message>
    <message>
        <source>&lt;p&gt;Please select one of the two video conference platforms to schedule your appointment.Once you arrive on the specific platform please send a TEXT message to the instructor to schedule a meeting time that is best for both of you. &lt;/p&gt;</source>
        <translation>&lt;p&gt;Elija una de las dos plataformas de videoconferencia para programar su cita. Una vez en la plataforma, envíe un mensaje de TEXTO al instructor para acordar el horario que mejor les convenga a ambos. &lt;/p&gt;</translation>
    </message>
    <message>
        <source>Please include your name and the name of the service you purchased.</source>
        <translation>Incluya su nombre y el nombre del servicio que compró.</translation>
    </message>
    <message>
        <source>SKYPE</source>
        <translation>SKYPE</translation>
    </message>
    <message>
        <source>WHAT&apos;S APP</source>
        <translation>WHATSAPP</translation>
    </message>
    <message>
        <source>CLOSE</source>
        <translation>CERRAR</translation>
    </message>
    <message>
        <source>ON THE DAY OF YOUR APPOINTMENT
please select one of the two video conference platforms to begin your video conference appointment.</source>
        <translation>EL DÍA DE SU CITA
elija una de las dos plataformas de videoconferencia para comenzar su cita por videoconferencia.</translation>
    </message>
</context>
<context>
    <name>CqDlgSkype</name>
    <message>
        <source>Dialog</source>
        <translation>Diálogo</translation>
    </message>
    <message>
        <source>Did you install skype?</source>
        <translation>¿Instaló Skype?</translation>
    </message>
    <message>
        <source>YES</source>
        <translation>SÍ</translation>
    </message>
    <message>
        <source>NO</source>
        <translation>NO</translation>
    </message>
</context>
<context>
    <name>CqDlgSpecials</name>
    <message>
        <source>SpecialOffers</source>
        <translation>Ofertas especiales</translation>
    </message>
    <message>
        <source>The special offers could not be loaded. Please try again later.</source>
        <translation>No se pudieron cargar las ofertas especiales. Inténtelo de nuevo más tarde.</translation>
    </message>
    <message>
        <source>Play video: %1</source>
        <translation>Reproducir video: %1</translation>
    </message>
    <message>
        <source>Showing the first %1 of %2 offers.</source>
        <translation>Se muestran las primeras %1 de %2 ofertas.</translation>
    </message>
</context>
<context>
    <name>CqDlgVersion</name>
    <message>
        <source>Update Application</source>
        <translation>Actualizar la aplicación</translation>
    </message>
    <message>
        <source>This version is outdated, new version of app is available.</source>
        <translation>Esta versión es antigua; hay una nueva versión de la aplicación disponible.</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>Actualizar</translation>
    </message>
</context>
<context>
    <name>CqWndItems</name>
    <message>
        <source>Products</source>
        <translation>Productos</translation>
    </message>
    <message>
        <source>ARE YOU SURE?
CART CHANGE</source>
        <translation>¿ESTÁ SEGURO?
CAMBIO DEL CARRITO</translation>
    </message>
    <message>
        <source>The cart is being updated. The checkout starts once it is.</source>
        <translation>El carrito se está actualizando. El pago comenzará en cuanto termine.</translation>
    </message>
    <message>
        <source>This is not available in Desktop.
 Use mobile version for this function.</source>
        <translation>Esta función no está disponible en el escritorio.
 Use la versión móvil para esta función.</translation>
    </message>
    <message>
        <source>The store could not be reached. Please try again later.</source>
        <translation>No se pudo conectar con la tienda. Inténtelo de nuevo más tarde.</translation>
    </message>
    <message>
        <source>The store could not load this list. Please try again.</source>
        <translation>La tienda no pudo cargar esta lista. Inténtelo de nuevo.</translation>
    </message>
    <message>
        <source>The product could not be removed from the cart. Please try again.</source>
        <translation>No se pudo quitar el producto del carrito. Inténtelo de nuevo.</translation>
    </message>
    <message>
        <source>Product Details</source>
        <translation>Detalles del producto</translation>
    </message>
    <message>
        <source>PRICE - $%1</source>
        <translation>PRECIO - $%1</translation>
    </message>
    <message>
        <source>30 DAYS SUBSCRIPTION</source>
        <translation>SUSCRIPCIÓN DE 30 DÍAS</translation>
    </message>
    <message>
        <source>QUANTITY</source>
        <translation>CANTIDAD</translation>
    </message>
    <message>
        <source>Quantity</source>
        <translation>Cantidad</translation>
    </message>
    <message>
        <source>Remove %1 from the cart</source>
        <translation>Quitar %1 del carrito</translation>
    </message>
    <message>
        <source>SUBTOTAL $%1</source>
        <translation>SUBTOTAL $%1</translation>
    </message>
    <message>
        <source>CHECKOUT NOW</source>
        <translation>PAGAR AHORA</translation>
    </message>
    <message>
        <source>Search</source>
        <translation>Buscar</translation>
    </message>
    <message>
        <source>The subscription could not be cancelled. Please try again later.</source>
        <translation>No se pudo cancelar la suscripción. Inténtelo de nuevo más tarde.</translation>
    </message>
    <message>
        <source>Delete the downloaded video</source>
        <translation>Eliminar el video descargado</translation>
    </message>
    <message>
        <source>Cancel the subscription</source>
        <translation>Cancelar la suscripción</translation>
    </message>
    <message>
        <source>The video could not be deleted. Please try again later.</source>
        <translation>No se pudo eliminar el video. Inténtelo de nuevo más tarde.</translation>
    </message>
    <message>
        <source>PROGRAM VIDEOS</source>
        <translation>VIDEOS DEL PROGRAMA</translation>
    </message>
    <message>
        <source>PROGRAM VIDEOS!</source>
        <translation>¡VIDEOS DEL PROGRAMA!</translation>
    </message>
</context>
<context>
    <name>CqWndLoading</name>
    <message>
        <source>Loading</source>
        <translation>Cargando</translation>
    </message>
</context>
<context>
    <name>CqWndProduct</name>
    <message>
        <source>Store</source>
        <translation>Tienda</translation>
    </message>
    <message>
        <source>MY VIDEO STORE</source>
        <translation>MI TIENDA DE VIDEOS</translation>
    </message>
    <message>
        <source>WORKOUT ANYWHERE ANY DEVICE
Online - Offline</source>
        <translation>ENTRENE DONDE SEA, EN CUALQUIER DISPOSITIVO
Con conexión - Sin conexión</translation>
    </message>
    <message>
        <source>INDIVIDUAL VIDEOS</source>
        <translation>VIDEOS INDIVIDUALES</translation>
    </message>
    <message>
        <source>COMPLETE PROGRAMS</source>
        <translation>PROGRAMAS COMPLETOS</translation>
    </message>
    <message>
        <source>NUTRITION PRODUCTS</source>
        <translation>PRODUCTOS DE NUTRICIÓN</translation>
    </message>
    <message>
        <source>NUTRITION
PRODUCTS</source>
        <translation>PRODUCTOS DE
NUTRICIÓN</translation>
    </message>
    <message>
        <source>DIETTTIAN DESIGNED NUTRITION</source>
        <translation>NUTRICIÓN DISEÑADA POR DIETISTAS</translation>
    </message>
    <message>
        <source>For weight loss, fitness, diabetes, meat eaters, vegetarian, gluten, diary and food sensitivities.</source>
        <translation>Para bajar de peso, ponerse en forma, diabetes, dietas con carne o vegetarianas, y sensibilidad al gluten, a los lácteos y a otros alimentos.</translation>
    </message>
    <message>
        <source>NUTRITION VIDEOS</source>
        <translation>VIDEOS DE NUTRICIÓN</translation>
    </message>
    <message>
        <source>COACHING SERVICES</source>
        <translation>SERVICIOS DE ASESORÍA</translation>
    </message>
    <message>
        <source>ONE-ON-ONE HEALTH COACHING</source>
        <translation>ASESORÍA DE SALUD PERSONALIZADA</translation>
    </message>
    <message>
        <source>Get one-on-one personalized health coaching, Let us help you maxmize your results.</source>
        <translation>Reciba asesoría de salud personalizada. Permítanos ayudarle a aprovechar al máximo sus resultados.</translation>
    </message>
    <message>
        <source>COACHING PRODUCTS</source>
        <translation>PRODUCTOS DE ASESORÍA</translation>
    </message>
    <message>
        <source>COACHING VIDEOS</source>
        <translation>VIDEOS DE ASESORÍA</translation>
    </message>
    <message>
        <source>This is not available in Desktop.
 Use mobile version for this function.</source>
        <translation>Esta función no está disponible en el escritorio.
 Use la versión móvil para esta función.</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Atrás</translation>
    </message>
    <message>
        <source>MY LIBRARY</source>
        <translation>MI BIBLIOTECA</translation>
    </message>
    <message>
        <source>VIEW CART</source>
        <translation>VER CARRITO</translation>
    </message>
    <message>
        <source>CONTACT COACH</source>
        <translation>CONTACTAR AL ASESOR</translation>
    </message>
    <message>
        <source>SEARCH</source>
        <translation>BUSCAR</translation>
    </message>
</context>
<context>
    <name>CqWndService</name>
    <message>
        <source>Form</source>
        <translation>Formulario</translation>
    </message>
    <message>
        <source>Home</source>
        <translation>Inicio</translation>
    </message>
    <message>
        <source>Live services sections</source>
        <translation>Secciones de servicios en vivo</translation>
    </message>
    <message>
        <source>MY LIVE STORE</source>
        <translation>MI TIENDA EN VIVO</translation>
    </message>
    <message>
        <source>MY LIVE PURCHASE</source>
        <translation>MIS COMPRAS EN VIVO</translation>
    </message>
    <message>
        <source>VIEW CART</source>
        <translation>VER CARRITO</translation>
    </message>
    <message>
        <source>CONTACT COACH</source>
        <translation>CONTACTAR AL ASESOR</translation>
    </message>
    <message>
        <source>TELEHEALTH</source>
        <translation>TELESALUD</translation>
    </message>
    <message>
        <source>Service types</source>
        <translation>Tipos de servicio</translation>
    </message>
    <message>
        <source>LIVE FITNESS</source>
        <translation>ENTRENAMIENTO EN VIVO</translation>
    </message>
    <message>
        <source>LIVE NUTRITION</source>
        <translation>NUTRICIÓN EN VIVO</translation>
    </message>
    <message>
        <source>This is not available in Desktop.
 Use mobile version for this function.</source>
        <translation>Esta función no está disponible en el escritorio.
 Use la versión móvil para esta función.</translation>
    </message>
</context>
<context>
    <name>CqWndServiceItem</name>
    <message>
        <source>Form</source>
        <translation>Formulario</translation>
    </message>
    <message>
        <source>ARE YOU SURE?
CART CHANGE</source>
        <translation>¿ESTÁ SEGURO?
CAMBIO DEL CARRITO</translation>
    </message>
    <message>
        <source>The cart is being updated. The checkout starts once it is.</source>
        <translation>El carrito se está actualizando. El pago comenzará en cuanto termine.</translation>
    </message>
    <message>
        <source>The services could not be loaded. Check your connection and try again. Return to this tab to try again.</source>
        <translation>No se pudieron cargar los servicios. Revise su conexión e inténtelo de nuevo. Vuelva a esta pestaña para intentarlo otra vez.</translation>
    </message>
    <message>
        <source>The appointment could not be completed. Try again.</source>
        <translation>No se pudo finalizar la cita. Inténtelo de nuevo.</translation>
    </message>
    <message>
        <source>The service could not be removed from the cart. Try again.</source>
        <translation>No se pudo quitar el servicio del carrito. Inténtelo de nuevo.</translation>
    </message>
    <message>
        <source>Details of %1</source>
        <translation>Detalles de %1</translation>
    </message>
    <message>
        <source>Picture of %1</source>
        <translation>Imagen de %1</translation>
    </message>
    <message>
        <source>PRICE - $%1</source>
        <translation>PRECIO - $%1</translation>
    </message>
    <message>
        <source>QUANTITY</source>
        <translation>CANTIDAD</translation>
    </message>
    <message>
        <source>Remove %1 from the cart</source>
        <translation>Quitar %1 del carrito</translation>
    </message>
    <message>
        <source>Product Details</source>
        <translation>Detalles del producto</translation>
    </message>
    <message>
        <source>SCHEDULE</source>
        <translation>PROGRAMAR</translation>
    </message>
    <message>
        <source>APPOINT</source>
        <translation>CITA</translation>
    </message>
    <message>
        <source>SUBTOTAL $%1</source>
        <translation>SUBTOTAL $%1</translation>
    </message>
    <message>
        <source>CHECKOUT NOW</source>
        <translation>PAGAR AHORA</translation>
    </message>
</context>
<context>
    <name>CqWndSetting</name>
    <message>
        <source>Form</source>
        <translation>Formulario</translation>
    </message>
    <message>
        <source>Home</source>
        <translation>Inicio</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Configuración</translation>
    </message>
    <message>
        <source>Total Calories</source>
        <translation>Calorías totales</translation>
    </message>
    <message>
        <source>Food Tracking History</source>
        <translation>Historial de comidas registradas</translation>
    </message>
    <message>
        <source>Contact Coach</source>
        <translation>Contactar al asesor</translation>
    </message>
    <message>
        <source>Terms of Service and Privacy Policy</source>
        <translation>Términos del servicio y política de privacidad</translation>
    </message>
    <message>
        <source>LogOut</source>
        <translation>Cerrar sesión</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Idioma</translation>
    </message>
    <message>
        <source>The language changes the next time the program starts.</source>
        <translation>El idioma cambiará la próxima vez que se inicie el programa.</translation>
    </message>
    <message>
        <source>System language</source>
        <translation>Idioma del sistema</translation>
    </message>
    <message>
        <source>This is not available in Desktop.
 Use mobile version for this function.</source>
        <translation>Esta función no está disponible en el escritorio.
 Use la versión móvil para esta función.</translation>
    </message>
</context>
<context>
    <name>CqWndVideoDownLoad</name>
    <message>
        <source>Form</source>
        <translation>Formulario</translation>
    </message>
    <message>
        <source>VIDEO DOWNLOADING %p%</source>
        <translation>DESCARGANDO VIDEO %p%</translation>
    </message>
    <message>
        <source>Download progress</source>
        <translation>Progreso de la descarga</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pausar</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>Reintentar</translation>
    </message>
    <message>
        <source>Report again</source>
        <translation>Informar de nuevo</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Cerrar</translation>
    </message>
    <message>
        <source>the service does not answer</source>
        <translation>el servicio no responde</translation>
    </message>
    <message>
        <source>This video has no download address.</source>
        <translation>Este video no tiene dirección de descarga.</translation>
    </message>
    <message>
        <source>the service cannot be reached</source>
        <translation>no se puede conectar con el servicio</translation>
    </message>
    <message>
        <source>the service&apos;s answer could not be read</source>
        <translation>no se pudo leer la respuesta del servicio</translation>
    </message>
    <message>
        <source>the service refused it</source>
        <translation>el servicio lo rechazó</translation>
    </message>
    <message>
        <source>The video is downloaded, but it could not be added to your library (%1). Report it again or close this window.</source>
        <translation>El video se descargó, pero no se pudo agregar a su biblioteca (%1). Vuelva a informarlo o cierre esta ventana.</translation>
    </message>
    <message>
        <source>The download failed: %1. The part already downloaded is kept; Retry continues from there.</source>
        <translation>La descarga falló: %1. Se conserva la parte ya descargada; Reintentar continúa desde ahí.</translation>
    </message>
    <message>
        <source>unknown error</source>
        <translation>error desconocido</translation>
    </message>
    <message>
        <source>The video is still downloading. Pause it first to close this window.</source>
        <translation>El video aún se está descargando. Páuselo antes de cerrar esta ventana.</translation>
    </message>
    <message>
        <source>Resume</source>
        <translation>Reanudar</translation>
    </message>
    <message>
        <source>PAUSED %p%</source>
        <translation>EN PAUSA %p%</translation>
    </message>
    <message>
        <source>Paused.</source>
        <translation>En pausa.</translation>
    </message>
</context>
<context>
    <name>CqWndVideoPlay</name>
    <message>
        <source>OLVA PLAYER</source>
        <translation>REPRODUCTOR OLVA</translation>
    </message>
    <message>
        <source>Position</source>
        <translation>Posición</translation>
    </message>
    <message>
        <source>Full screen</source>
        <translation>Pantalla completa</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pausar</translation>
    </message>
    <message>
        <source>Volume</source>
        <translation>Volumen</translation>
    </message>
    <message>
        <source>The video file is missing. Download the video again.</source>
        <translation>Falta el archivo del video. Vuelva a descargar el video.</translation>
    </message>
    <message>
        <source>This video cannot be played.</source>
        <translation>Este video no se puede reproducir.</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Reproducir</translation>
    </message>
</context>
<context>
    <name>CsvSaveDialog</name>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>Archivos CSV (*.csv)</translation>
    </message>
</context>
<context>
    <name>DownloadManagerHTTP</name>
    <message>
        <source>The server sent a different part of the file than asked for</source>
        <translation>El servidor envió una parte del archivo distinta de la solicitada</translation>
    </message>
    <message>
        <source>Cannot write %1: %2</source>
        <translation>No se puede escribir %1: %2</translation>
    </message>
    <message>
        <source>The server answered with status %1</source>
        <translation>El servidor respondió con el estado %1</translation>
    </message>
    <message>
        <source>The connection closed before the whole file arrived</source>
        <translation>La conexión se cerró antes de recibir el archivo completo</translation>
    </message>
    <message>
        <source>Cannot move %1 to %2</source>
        <translation>No se puede mover %1 a %2</translation>
    </message>
    <message>
        <source>Network error %1</source>
        <translation>Error de red %1</translation>
    </message>
    <message>
        <source>No data from the server for %1 seconds</source>
        <translation>El servidor no envió datos durante %1 segundos</translation>
    </message>
</context>
<context>
    <name>LibraryRules</name>
    <message>
        <source>PLAY</source>
        <translation>REPRODUCIR</translation>
    </message>
    <message>
        <source>PROGRAM VIDEOS</source>
        <translation>VIDEOS DEL PROGRAMA</translation>
    </message>
    <message>
        <source>Read</source>
        <translation>Leer</translation>
    </message>
</context>
<context>
    <name>ListStatus</name>
    <message>
        <source>Loading...</source>
        <translation>Cargando...</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>OLVA WEIGHT LOSS</source>
        <translation>OLVA WEIGHT LOSS</translation>
    </message>
    <message>
        <source>Hi, Member</source>
        <translation>Hola, miembro</translation>
    </message>
    <message>
        <source>Welcome to OLVA Weight Loss Program</source>
        <translation>Bienvenido al programa OLVA Weight Loss</translation>
    </message>
    <message>
        <source>Workout videos</source>
        <translation>Videos de ejercicio</translation>
    </message>
    <message>
        <source>WORKOUT 
VIDEOS</source>
        <translation>VIDEOS DE 
EJERCICIO</translation>
    </message>
    <message>
        <source>Free coaching</source>
        <translation>Asesoría gratuita</translation>
    </message>
    <message>
        <source>FREE 
COACHING</source>
        <translation>ASESORÍA 
GRATUITA</translation>
    </message>
    <message>
        <source>Food tracker</source>
        <translation>Registro de comidas</translation>
    </message>
    <message>
        <source>FOOD  
TRACKER</source>
        <translation>REGISTRO DE  
COMIDAS</translation>
    </message>
    <message>
        <source>Telehealth</source>
        <translation>Telesalud</translation>
    </message>
    <message>
        <source>TELE 
HEALTH</source>
        <translation>TELE 
SALUD</translation>
    </message>
    <message>
        <source>Free nutritionist</source>
        <translation>Nutricionista gratuito</translation>
    </message>
    <message>
        <source>FREE  
NUTRITIONIST</source>
        <translation>NUTRICIONISTA  
GRATUITO</translation>
    </message>
    <message>
        <source>More</source>
        <translation>Más</translation>
    </message>
    <message>
        <source>1+</source>
        <translation>1+</translation>
    </message>
    <message>
        <source>MORE</source>
        <translation>MÁS</translation>
    </message>
    <message>
        <source>My weight</source>
        <translation>Mi peso</translation>
    </message>
    <message>
        <source>Your weight log: trend, goal and chart</source>
        <translation>Su registro de peso: tendencia, meta y gráfico</translation>
    </message>
    <message>
        <source>MY WEIGHT</source>
        <translation>MI PESO</translation>
    </message>
    <message>
        <source>About Us</source>
        <translation>Quiénes somos</translation>
    </message>
    <message>
        <source>Contact Us</source>
        <translation>Contáctenos</translation>
    </message>
    <message>
        <source>My Friends</source>
        <translation>Mis amigos</translation>
    </message>
    <message>
        <source>My Invites</source>
        <translation>Mis invitaciones</translation>
    </message>
    <message>
        <source>Special offer video</source>
        <translation>Video de la oferta especial</translation>
    </message>
    <message>
        <source>Special offers</source>
        <translation>Ofertas especiales</translation>
    </message>
    <message>
        <source>More special offers</source>
        <translation>Más ofertas especiales</translation>
    </message>
    <message>
        <source>Hi, %1</source>
        <translation>Hola, %1</translation>
    </message>
    <message>
        <source>My exercise</source>
        <translation>Mi ejercicio</translation>
    </message>
    <message>
        <source>Log today&apos;s activities and see what they burn</source>
        <translation>Registra las actividades de hoy y mira cuánto queman</translation>
    </message>
    <message>
        <source>MY EXERCISE</source>
        <translation>MI EJERCICIO</translation>
    </message>
</context>
<context>
    <name>PaymentKeeper</name>
    <message>
        <source>Your card was charged $%1 for these items. Changing the cart refunds that payment and you pay again for what stays.</source>
        <translation>Se cobraron $%1 en su tarjeta por estos artículos. Si cambia el carrito, se reembolsa ese pago y vuelve a pagar por lo que quede.</translation>
    </message>
</context>
<context>
    <name>ServiceCardButtons</name>
    <message>
        <source>FREE</source>
        <translation>GRATIS</translation>
    </message>
    <message>
        <source>BUY - $%1</source>
        <translation>COMPRAR - $%1</translation>
    </message>
    <message>
        <source>PURCHASED</source>
        <translation>COMPRADO</translation>
    </message>
    <message>
        <source>COMPLETED</source>
        <translation>FINALIZADO</translation>
    </message>
</context>
<context>
    <name>Startup</name>
    <message>
        <source>The OLVA service cannot be reached.
Check your internet connection, then choose Retry.</source>
        <translation>No se puede conectar con el servicio OLVA.
Revise su conexión a internet y elija Reintentar.</translation>
    </message>
    <message>
        <source>The OLVA service gave an answer this app does not understand.
Choose Retry to ask again.</source>
        <translation>El servicio OLVA envió una respuesta que esta aplicación no entiende.
Elija Reintentar para preguntar de nuevo.</translation>
    </message>
    <message>
        <source>The new version of the app could not be downloaded.
Check your internet connection, then choose Retry.</source>
        <translation>No se pudo descargar la nueva versión de la aplicación.
Revise su conexión a internet y elija Reintentar.</translation>
    </message>
    <message>
        <source>Downloading the new version of OLVA Weight Loss...</source>
        <translation>Descargando la nueva versión de OLVA Weight Loss...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancelar</translation>
    </message>
    <message>
        <source>Update Application</source>
        <translation>Actualizar la aplicación</translation>
    </message>
    <message>
        <source>OLVA Weight Loss</source>
        <translation>OLVA Weight Loss</translation>
    </message>
    <message>
        <source>Retry</source>
        <translation>Reintentar</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Salir</translation>
    </message>
</context>
<context>
    <name>StoreCardRules</name>
    <message>
        <source>FREE</source>
        <translation>GRATIS</translation>
    </message>
    <message>
        <source>BUY - $%1</source>
        <translation>COMPRAR - $%1</translation>
    </message>
    <message>
        <source>PURCHASED</source>
        <translation>COMPRADO</translation>
    </message>
    <message>
        <source>BUY Ebook - $%1</source>
        <translation>COMPRAR libro electrónico - $%1</translation>
    </message>
    <message>
        <source>PURCHASED - VIEW EBOOK</source>
        <translation>COMPRADO - VER LIBRO ELECTRÓNICO</translation>
    </message>
    <message>
        <source>DOWNLOAD NOW!</source>
        <translation>¡DESCARGAR AHORA!</translation>
    </message>
    <message>
        <source>PROGRAM VIDEOS!</source>
        <translation>¡VIDEOS DEL PROGRAMA!</translation>
    </message>
    <message>
        <source>DOWNLOADED</source>
        <translation>DESCARGADO</translation>
    </message>
</context>
<context>
    <name>TransferMeter</name>
    <message>
        <source>%1 B</source>
        <translation>%1 B</translation>
    </message>
    <message>
        <source>%1 kB</source>
        <translation>%1 kB</translation>
    </message>
    <message>
        <source>%1 MB</source>
        <translation>%1 MB</translation>
    </message>
    <message>
        <source>%1 GB</source>
        <translation>%1 GB</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <extracomment>Bytes downloaded so far against the file&apos;s size: &quot;12.3 MB of 200 MB&quot;</extracomment>
        <translation>%1 de %2</translation>
    </message>
    <message>
        <source>%1/s</source>
        <extracomment>Download speed: &quot;1.5 MB/s&quot;</extracomment>
        <translation>%1/s</translation>
    </message>
    <message>
        <source>%1 left</source>
        <extracomment>Time until the download ends, as minutes:seconds or hours:minutes:seconds</extracomment>
        <translation>faltan %1</translation>
    </message>
</context>
</TS>
